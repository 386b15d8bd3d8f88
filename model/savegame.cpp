// A saved game's text: writing it, and reading it back with every field checked.
#include "model/savegame.h"

#include "model/herd.h"
#include "model/player.h"

#include <array>
#include <bit>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <map>
#include <set>

namespace model {

namespace {

constexpr const char* Magic = "selvo-mornik-spielstand";
constexpr std::int64_t MaxInt = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t MinInt = std::numeric_limits<std::int32_t>::min();
constexpr std::size_t MaxNumberLength = 11; // "-2147483648"
constexpr int PointFields = 11 + GenePairCount + AreaCount; // as writePoint writes them

std::string named(std::string_view text) {
    return "„" + std::string(text) + "“";
}

// The text, one line after another, each split at spaces.
struct Reader {
    std::string_view text;
    std::size_t at = 0;
    int line = 0;
    std::vector<std::string_view> words;
    std::string error;

    bool next() {
        if (at >= text.size()) return false;
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        std::string_view l = text.substr(at, end - at);
        at = end + 1;
        ++line;
        if (!l.empty() && l.back() == '\r') l.remove_suffix(1); // written on another system
        words.clear();
        for (std::size_t i = 0; i < l.size();) {
            const std::size_t j = std::min(l.find(' ', i), l.size());
            if (j > i) words.push_back(l.substr(i, j - i));
            i = j + 1;
        }
        return true;
    }
    bool fail(const std::string& what) {
        error = "Zeile " + std::to_string(line) + ": " + what;
        return false;
    }
    // Word `i` as a whole number from min to max.
    bool number(std::size_t i, std::int64_t min, std::int64_t max, std::int64_t& v) {
        const std::string_view w = words[i];
        if (w.size() > MaxNumberLength) return fail("die Zahl " + named(w) + " ist zu lang");
        const auto [end, ec] = std::from_chars(w.data(), w.data() + w.size(), v);
        if (ec != std::errc() || end != w.data() + w.size() || w.empty())
            return fail(named(w) + " ist keine ganze Zahl");
        if (v < min || v > max)
            return fail(named(w) + " liegt nicht zwischen " + std::to_string(min) + " und " +
                        std::to_string(max));
        return true;
    }
    bool number32(std::size_t i, std::int64_t min, std::int64_t max, std::int32_t& v) {
        std::int64_t wide = 0;
        if (!number(i, min, max, wide)) return false;
        v = static_cast<std::int32_t>(wide);
        return true;
    }
    bool count(std::size_t n) {
        if (words.size() == n + 1) return true;
        return fail(named(words[0]) + " braucht " + std::to_string(n) +
                    (n == 1 ? " Zahl" : " Zahlen") + ", nicht " + std::to_string(words.size() - 1));
    }
};

bool readAnimal(Reader& r, Animal& a) {
    if (r.words.empty() || r.words[0] != "animal") return r.fail("erwartet wird ein Tier (animal)");
    if (!r.count(12)) return false;
    std::array<std::int32_t, 12> f{};
    for (std::size_t i = 0; i < f.size(); ++i)
        if (!r.number32(i + 1, MinInt, MaxInt, f[i])) return false;
    a = {f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9], f[10], f[11]};
    const auto isGene = [](std::int32_t g) { return g == 1 || g == 2 || g == 4; };
    if (!isGene(a.gene1) || !isGene(a.gene2))
        return r.fail("Gene müssen 1 (rot), 2 (gelb) oder 4 (blau) sein");
    if (a.iconPicture != iconForGenes(a.gene1, a.gene2))
        return r.fail("das Bild passt nicht zu den Genen");
    if (a.sex != 0 && a.sex != 1) return r.fail("Geschlecht muss 0 oder 1 sein");
    if (a.age < 0 || a.age > 23) return r.fail("Alter muss zwischen 0 und 23 liegen");
    if (a.sizeClass != sizeClassForAge(a.age)) return r.fail("die Größe passt nicht zum Alter");
    // An animal belongs to an Area, or (a founder off every Area) to the value under it.
    if (!isArea(a.area) && a.area != areaAt(a.x, a.y))
        return r.fail("Gebiet " + std::to_string(a.area) + " passt nicht zur Karte an der Stelle " +
                      std::to_string(a.x) + "," + std::to_string(a.y));
    if (a.constitution < 1 || a.constitution > 100)
        return r.fail("Konstitution muss zwischen 1 und 100 liegen");
    if (a.illness < 0 || a.illness > 7 || a.illnessLevel < 0 || a.illnessLevel > 10000 ||
        (a.illness == 0) != (a.illnessLevel == 0))
        return r.fail("Krankheit (0 bis 7) und ihre Stärke (0 bis 10000) passen nicht zusammen");
    return true;
}

bool readPoint(Reader& r, YearFigures& p) {
    if (r.words.empty() || r.words[0] != "point")
        return r.fail("erwartet wird ein Punkt des Verlaufs (point)");
    if (!r.count(PointFields)) return false;
    std::array<std::int32_t, PointFields> f{};
    for (std::size_t i = 0; i < f.size(); ++i)
        if (!r.number32(i + 1, i == 1 ? -3 : i == 9 ? -645 : 0, i == 1 ? 3 : MaxInt, f[i]))
            return false;
    p = YearFigures{f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9], {}, f[19], {}};
    std::int64_t pairs = 0, areas = 0;
    for (int k = 0; k < GenePairCount; ++k)
        pairs += p.pairs[std::size_t(k)] = f[std::size_t(10 + k)];
    for (int k = 0; k < AreaCount; ++k)
        areas += p.areas[std::size_t(k)] = f[std::size_t(20 + k)];
    if (pairs != p.animals || areas > p.animals || p.ill > p.animals || p.genePool > p.animals)
        return r.fail("die Zahlen des Jahres " + std::to_string(p.year) + " passen nicht zusammen");
    if (p.oldAgeDeaths + std::int64_t{p.weaknessDeaths} != p.deaths)
        return r.fail("die Todesursachen ergeben nicht die Gestorbenen");
    return true;
}

// A space and the number. In two steps: g++ 12 at -O3 misreads `" " + std::string` as an
// overlapping copy (-Wrestrict).
void put(std::string& out, std::int64_t v) {
    out += ' ';
    out += std::to_string(v);
}

void writePoint(std::string& out, const YearFigures& p) {
    out += "point";
    for (std::int32_t v : {p.year, p.rating, p.animals, p.births, p.deaths, p.oldAgeDeaths,
                           p.weaknessDeaths, p.shot, p.carried, p.genePool})
        put(out, v);
    for (std::int32_t v : p.pairs)
        put(out, v);
    put(out, p.ill);
    for (std::int32_t v : p.areas)
        put(out, v);
    out += "\n";
}

// The entries with one number, in the order they are written.
struct Field {
    const char* key;
    std::int32_t SavedGame::*member;
    std::int64_t min, max;
};
constexpr Field numberFields[] = {
    {"year", &SavedGame::year, 0, MaxInt},
    {"rating", &SavedGame::yearRating, -3, 3},
    {"births", &SavedGame::births, 0, MaxInt},
    {"deaths", &SavedGame::deaths, 0, MaxInt},
    {"deaths-old-age", &SavedGame::oldAgeDeaths, 0, MaxInt},
    {"deaths-weakness", &SavedGame::weaknessDeaths, 0, MaxInt},
    {"shot", &SavedGame::shot, 0, MaxInt},
    {"carried", &SavedGame::carried, 0, MaxInt},
    {"mode", &SavedGame::mode, Keeping, Basket},
    {"basket", &SavedGame::carriedIndex, -1, MaxSavedAnimals - 1},
    {"history-stride", &SavedGame::historyStride, 1, 1 << 30},
};

bool readRandom(Reader& r, RandomState& s) {
    s = RandomState{};
    if (r.words.size() == 2 && r.words[1] == "unseeded") return true;
    if (!r.count(1 + s.words.size())) return false;
    if (!r.number32(1, 0, 16, s.position)) return false;
    for (std::size_t i = 0; i < s.words.size(); ++i) {
        std::int64_t w = 0;
        if (!r.number(i + 2, 0, std::numeric_limits<std::uint32_t>::max(), w)) return false;
        s.words[i] = static_cast<std::uint32_t>(w);
    }
    s.seeded = true;
    return true;
}

// The checks across entries, made once every entry has been read.
bool checkWhole(Reader& r, const SavedGame& g) {
    if (g.areasChecksum != areaMapChecksum(areaMap()))
        return r.fail("der Spielstand gehört zu einer anderen Gebietskarte als " +
                      std::string("Media/KarteGebiete.png"));
    if (g.oldAgeDeaths + std::int64_t{g.weaknessDeaths} != g.deaths)
        return r.fail("die Todesursachen ergeben nicht die Gestorbenen");
    if (g.carriedIndex >= std::int32_t(g.animals.size()) || (g.carriedIndex >= 0 && g.mode != Basket))
        return r.fail("ein Tier im Korb gibt es nur im Modus Korb und nur unter den Tieren");
    if (!std::has_single_bit(std::uint32_t(g.historyStride)))
        return r.fail("history-stride muss eine Zweierpotenz sein");
    const auto& h = g.history;
    if (h.back().year != g.year) return r.fail("der Verlauf muss mit dem Jahr des Spielstands enden");
    for (std::size_t i = 1; i < h.size(); ++i) {
        const bool onStride = i + 1 == h.size() || h[i].year % g.historyStride == 0;
        if (h[i].year <= h[i - 1].year || !onStride)
            return r.fail("die Jahre des Verlaufs sind nicht aufsteigend im Abstand history-stride");
    }
    return true;
}

} // namespace

std::uint64_t areaMapChecksum(const AreaMap& map) {
    std::uint64_t h = 14695981039346656037ull;
    const auto add = [&h](std::int32_t v) {
        for (int shift = 0; shift < 32; shift += 8)
            h = (h ^ ((std::uint32_t(v) >> shift) & 0xFF)) * 1099511628211ull;
    };
    add(map.width);
    add(map.height);
    for (std::int32_t v : map.values)
        add(v);
    return h;
}

SavedGame captureGame(const std::vector<YearFigures>& history, std::int32_t historyStride) {
    SavedGame g;
    g.areasChecksum = areaMapChecksum(areaMap());
    g.year = year;
    g.yearRating = yearRating;
    g.births = birthsThisYear;
    g.deaths = deathsThisYear;
    g.oldAgeDeaths = oldAgeDeathsThisYear;
    g.weaknessDeaths = weaknessDeathsThisYear;
    g.shot = shotThisYear;
    g.carried = carriedThisYear;
    g.mode = InterventionMode;
    g.random = randomState();
    for (auto it = herdBegin(); it != herdEnd(); ++it) {
        if (&*it == CarriedAnimal) g.carriedIndex = std::int32_t(g.animals.size());
        g.animals.push_back(*it);
    }
    g.historyStride = historyStride;
    g.history = history;
    return g;
}

void restoreGame(const SavedGame& g) {
    resetHerd();
    resetPlayer();
    for (const Animal& a : g.animals) {
        Animal& placed = herdAppend();
        placed = a;
        if (std::int32_t(&a - g.animals.data()) == g.carriedIndex) CarriedAnimal = &placed;
    }
    year = g.year;
    yearRating = g.yearRating;
    birthsThisYear = g.births;
    deathsThisYear = g.deaths;
    oldAgeDeathsThisYear = g.oldAgeDeaths;
    weaknessDeathsThisYear = g.weaknessDeaths;
    shotThisYear = g.shot;
    carriedThisYear = g.carried;
    InterventionMode = g.mode;
    setRandomState(g.random);
}

std::string writeSavedGame(const SavedGame& g) {
    std::string out = std::string(Magic) + " " + std::to_string(SaveFormatVersion) + "\n";
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(g.areasChecksum));
    out += std::string("areas ") + hex + "\n";
    for (const Field& f : numberFields)
        out += std::string(f.key) + " " + std::to_string(g.*f.member) + "\n";
    out += "random";
    if (!g.random.seeded) {
        out += " unseeded";
    } else {
        put(out, g.random.position);
        for (std::uint32_t w : g.random.words)
            put(out, w);
    }
    out += "\nhistory " + std::to_string(g.history.size()) + "\n";
    for (const YearFigures& p : g.history)
        writePoint(out, p);
    out += "animals " + std::to_string(g.animals.size()) + "\n";
    for (const Animal& a : g.animals) {
        out += "animal";
        for (std::int32_t v : {a.gene1, a.gene2, a.iconPicture, a.sex, a.x, a.y, a.sizeClass,
                               a.area, a.age, a.constitution, a.illness, a.illnessLevel})
            put(out, v);
        out += "\n";
    }
    out += "end\n";
    return out;
}

bool readSavedGame(std::string_view text, SavedGame& g, std::string& error) {
    g = SavedGame{};
    Reader r;
    r.text = text;
    const auto done = [&](bool ok) {
        if (!ok) error = r.error;
        return ok;
    };
    if (!r.next()) r.line = 1;
    if (r.words.size() != 2 || r.words[0] != Magic)
        return done(r.fail("keine Spielstand-Datei von Selvo mornik"));
    if (r.words[1] != std::to_string(SaveFormatVersion))
        return done(r.fail("Version " + std::string(r.words[1]) + " wird nicht unterstützt (nur " +
                           std::to_string(SaveFormatVersion) + ")"));

    std::set<std::string, std::less<>> seen;
    std::map<std::string_view, const Field*> fields;
    for (const Field& f : numberFields)
        fields[f.key] = &f;
    for (;;) {
        if (!r.next()) {
            ++r.line;
            return done(r.fail("die Datei endet vor „end“: sie ist unvollständig"));
        }
        if (r.words.empty()) return done(r.fail("leere Zeile"));
        const std::string key(r.words[0]);
        if (key == "end") break;
        if (!seen.insert(key).second) return done(r.fail(named(key) + " steht doppelt"));
        if (const auto f = fields.find(key); f != fields.end()) {
            if (!r.count(1) || !r.number32(1, f->second->min, f->second->max, g.*f->second->member))
                return done(false);
        } else if (key == "areas") {
            const std::string_view v = r.words.size() == 2 ? r.words[1] : std::string_view();
            const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), g.areasChecksum, 16);
            if (v.size() != 16 || ec != std::errc() || end != v.data() + v.size())
                return done(r.fail("„areas“ braucht eine Prüfsumme aus 16 Hexadezimalziffern"));
        } else if (key == "random") {
            if (!readRandom(r, g.random)) return done(false);
        } else if (key == "history" || key == "animals") {
            const bool history = key == "history";
            std::int32_t n = 0;
            if (!r.count(1) || !r.number32(1, history ? 1 : 0,
                                           history ? MaxSavedHistoryPoints : MaxSavedAnimals, n))
                return done(false);
            for (std::int32_t i = 0; i < n; ++i) {
                if (!r.next()) {
                    ++r.line;
                    return done(r.fail("die Datei endet mitten in " + named(key)));
                }
                const bool ok = history ? readPoint(r, g.history.emplace_back())
                                        : readAnimal(r, g.animals.emplace_back());
                if (!ok) return done(false);
            }
        } else {
            return done(r.fail("unbekannter Eintrag " + named(key)));
        }
    }
    for (const char* key : {"areas", "random", "history", "animals"})
        if (!seen.contains(key)) return done(r.fail(named(key) + " fehlt"));
    for (const Field& f : numberFields)
        if (!seen.contains(f.key)) return done(r.fail(named(f.key) + " fehlt"));
    if (r.next()) return done(r.fail("nach „end“ darf nichts mehr stehen"));
    return done(checkWhole(r, g));
}

bool loadSavedGame(const std::string& path, SavedGame& game, std::string& error) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) {
        error = "die Datei kann nicht gelesen werden: " + ec.message();
        return false;
    }
    if (size > MaxSaveFileBytes) {
        error = "die Datei ist mit " + std::to_string(size / 1024 / 1024) +
                " MB zu groß für einen Spielstand";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    // One byte more than the size found, to notice a file that grew meanwhile.
    std::string text(std::size_t(size) + 1, '\0');
    in.read(text.data(), std::streamsize(text.size()));
    text.resize(std::size_t(in.gcount()));
    if (!in.is_open() || in.bad() || text.size() > size) {
        error = "die Datei kann nicht gelesen werden";
        return false;
    }
    return readSavedGame(text, game, error);
}

} // namespace model
