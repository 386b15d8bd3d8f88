// The help window's control, the file of each numbered picture, and the check that no control
// number serves two windows.
#pragma once

#include "map/numbers.h"
#include "report/numbers.h"

#include <algorithm>
#include <array>

namespace app {

constexpr int HelpLink = 22;

// File of each picture, relative to the working folder.
inline constexpr std::array<const char*, map::PictureCount> PictureFiles = {
    "Media/Karte.png",
    "Media/KarteBorders.png",
    "Media/Karte.png",
    "Media/KarteGebiete.png",
    "Media/Selvo blau.png",
    "Media/Selvo rot.png",
    "Media/Selvo gelb.png",
    "Media/Selvo gruen.png",
    "Media/Selvo orange.png",
    "Media/Selvo violett.png",
    "Media/Selvo blau kl.png",
    "Media/Selvo rot kl.png",
    "Media/Selvo gelb kl.png",
    "Media/Selvo gruen kl.png",
    "Media/Selvo orange kl.png",
    "Media/Selvo violett kl.png",
    "Media/Gewehr.png",
    "Media/Korb.png",
    "Media/Hege.png",
    "Media/TB_Gebiete.png",
};

// Files of the tool bar's own icons, pictures NewGameToolPicture on, in number order.
inline constexpr std::array<const char*, map::ToolPictureCount> ToolPictureFiles = {
    "Media/TB_Neu.png",     "Media/TB_Bericht.png",   "Media/TB_Hilfe.png",
    "Media/TB_Oeffnen.png", "Media/TB_Speichern.png",
};
static_assert(map::NewGameToolPicture == map::PictureCount, "loaded after the other pictures");

// The help page's own window holds controls 50 to 59: so far the page alone.
constexpr int HelpPageView = 50;

inline constexpr std::array<int, 28> AllControls = {
    map::MapPicture,          map::ModeCaption,    map::ModeIndicator,  map::AnimalInfoBox,
    map::CarriedIndicator,    map::RifleButton,    map::BasketButton,   map::KeepingButton,
    map::YearButton,          report::ReportPanel, report::GeneOneLabel, report::GeneTwoLabel,
    report::RedLabel,         report::YellowLabel, report::BlueLabel,   report::GenePoolGrid,
    report::HerdListView,     report::NoGeneLabel, report::HistoryChart, HelpLink,
    HelpPageView,
    report::LargerChartsButton, report::SaveTableButton, report::SavePictureButton,
    report::LargerHistoryChart, report::ForecastProgress, report::ForecastText,
    report::ForecastChart,
};

// The layer keeps one table of controls for all windows, so a number used twice would make one
// window's control replace another's.
constexpr bool allDistinct(std::array<int, AllControls.size()> numbers) {
    std::sort(numbers.begin(), numbers.end());
    return std::adjacent_find(numbers.begin(), numbers.end()) == numbers.end();
}
static_assert(allDistinct(AllControls), "control numbers must be unique across all windows");

} // namespace app
