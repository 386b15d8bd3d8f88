// One input through the saved-game reader, with the checks the fuzz target makes.
#include "tools/fuzz/savegame_exercise.h"

#include "model/game.h"
#include "model/savegame.h"
#include "ui/picture.h"

#include <string_view>

namespace fuzz {

bool useAreasPicture(const std::string& path) {
    constexpr int scratch = 0;
    if (!ui::loadPicture(scratch, path)) return false;
    const ui::Picture* p = ui::pictureHandle(scratch);
    model::setAreaMap({p->width, p->height, ui::pixelValues(*p)});
    ui::freePicture(scratch);
    return model::hasAreaMap();
}

std::string exerciseSavedGame(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    model::SavedGame game;
    std::string error;
    if (!model::readSavedGame(text, game, error))
        return error.starts_with("Zeile ") ? "" : "a refusal that names no line: " + error;
    const std::string written = model::writeSavedGame(game);
    model::SavedGame again;
    if (!model::readSavedGame(written, again, error)) return "its own text is refused: " + error;
    if (model::writeSavedGame(again) != written) return "read back, it writes another text";
    model::restoreGame(game);
    if (model::writeSavedGame(model::captureGame(game.history, game.historyStride)) != written)
        return "the model holds another game than was read";
    model::yearStep();
    return "";
}

} // namespace fuzz
