// Shared helpers for the model tests.
#include "model_fixture.h"

#include "model/random.h"
#include "ui/picture.h"

namespace testing_model {

Script script;

std::int32_t neutral(std::int32_t n) {
    switch (n) {
    case 100:
        return 100; // no new illness; contagion whenever the contact is ill
    case 10:
        return 10; // no death by age before 24; illness level unchanged
    case 25:
        return 0; // no crowding loss by the second chance
    case 1:
        return 0; // the father's gene in both slots; a female young
    default:
        return n / 2; // equal pairs cancel: x + R(20) - R(20) stays x
    }
}

namespace {
std::int32_t scripted(std::int32_t n) {
    script.drawn.push_back(n);
    if (script.entries.empty()) return neutral(n);
    const auto [want, value] = script.entries.front();
    script.entries.pop_front();
    if (want != n) ++script.mismatches;
    return value;
}
} // namespace

void useScript() {
    script = Script{};
    model::setDrawOverride(&scripted);
}

void expect(std::int32_t n, std::int32_t value) {
    script.entries.emplace_back(n, value);
}

void makeAreasPicture(int width, int height, std::int32_t fill) {
    ui::Picture p;
    p.width = width;
    p.height = height;
    p.channels = 3;
    p.pixels.resize(std::size_t(width) * height * 3);
    ui::setPicture(3, p);
    ui::Picture work = p;
    ui::setPicture(2, work);
    paintArea(0, 0, width - 1, height - 1, fill);
}

void paintArea(int x0, int y0, int x1, int y1, std::int32_t value) {
    ui::Picture p = *ui::pictureHandle(3);
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            std::uint8_t* px = &p.pixels[(std::size_t(y) * p.width + x) * 3];
            px[0] = std::uint8_t(value >> 16); // blue
            px[1] = std::uint8_t(value >> 8);  // green
            px[2] = std::uint8_t(value);       // red
        }
    }
    ui::setPicture(3, std::move(p));
}

model::Animal& addAnimal(std::int32_t area, std::int32_t sex, std::int32_t age,
                         std::int32_t constitution, std::int32_t x, std::int32_t y) {
    model::Animal& a = model::herdAppend();
    a.gene1 = 1;
    a.gene2 = 1;
    a.iconPicture = model::iconForGenes(1, 1);
    a.sex = sex;
    a.x = x;
    a.y = y;
    a.age = age;
    a.sizeClass = model::sizeClassForAge(age);
    a.area = area;
    a.constitution = constitution;
    return a;
}

std::vector<model::Animal> herdCopy() {
    return {model::herdBegin(), model::herdEnd()};
}

} // namespace testing_model

namespace testing_model {
void expectNeutral(std::int32_t n, int count) {
    for (int i = 0; i < count; ++i)
        expect(n, neutral(n));
}
} // namespace testing_model
