// A new game: the 19 founders in table order, each in the Area under its position; and the
// model back to the start.
#include "model/areas.h"
#include "model/game.h"
#include "model/herd.h"
#include "model/player.h"
#include "model/random.h"
#include "model/tables.h"

namespace model {

void newGame() {
    herdClear();
    for (const Founder& f : founderTable) {
        Animal& a = herdAppend();
        a.gene1 = f.gene1;
        a.gene2 = f.gene2;
        a.x = f.x;
        a.y = f.y;
        a.sex = f.sex;
        a.age = f.age;
        a.iconPicture = iconForGenes(a.gene1, a.gene2);
        a.area = areaAt(a.x, a.y);
        a.sizeClass = sizeClassForAge(a.age);
        a.constitution = 100;
    }
    year = 0;
    shotThisYear = 0;
    carriedThisYear = 0;
}

void resetModel() {
    resetHerd();
    resetPlayer();
    resetRandom();
}

} // namespace model
