// The information text of one animal.
#include "map/info.h"

namespace map {

std::string animalInfoText(const model::Animal& a) {
    std::string text;
    if (a.sex == 0) text += "Weibl.\n";
    if (a.sex == 1) text += "Männl.\n";
    text += std::to_string(a.age) + " Jahre\n\n";
    text += "Gebiet " + std::to_string(a.area) + "\n";
    text += "Konst " + std::to_string(a.constitution) + "\n";
    text += "Krank " + std::to_string(a.illnessLevel);
    return text;
}

} // namespace map
