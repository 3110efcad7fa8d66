#include "Digest.h"

#include "drugmodels/bodysize.h"
#include "drugmodels/models.h"
#include "pinned_cases.h"
#include "pktools/compartments.h"

#include <cstdio>
#include <cstring>

namespace digest {

void Hash::addWord(std::uint64_t word) {
    for (int byte = 0; byte < 8; ++byte) {
        state_ ^= (word >> (8 * byte)) & 0xff;
        state_ *= 0x100000001b3ULL;
    }
}

void Hash::addNumber(double x) {
    std::uint64_t bits = 0x7ff8000000000000ULL;
    if (x == x)
        std::memcpy(&bits, &x, sizeof bits);
    addWord(bits);
}

void Hash::addText(std::string_view text) {
    addWord(text.size());
    for (unsigned char c : text) {
        state_ ^= c;
        state_ *= 0x100000001b3ULL;
    }
}

std::string Hash::hex() const {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(state_));
    return text;
}

std::string PinnedResultsLine() {
    Hash hash;
    std::size_t values = 0;
    for (const pinned::Case& c : pinned::cases()) {
        const pinned::Column column = c.compute();
        hash.addText(c.name);
        hash.addWord(column.size());
        for (double v : column)
            hash.addNumber(v);
        values += column.size();
    }
    return "pinned results " + hash.hex() + " (" + std::to_string(pinned::cases().size()) +
           " cases, " + std::to_string(values) + " values)";
}

std::string DrugModelsLine() {
    using namespace drugmodels;
    Hash hash;
    std::size_t rows = 0;
    auto add = [&](const ParameterRow& row) {
        hash.addWord(row.size());
        for (double v : row)
            hash.addNumber(v);
        // The first six values as Cl2Hyb reads a model's column: the cubic roots.
        const std::vector<double> h = pktools::Cl2Hyb({row.begin(), row.begin() + 6});
        for (double v : h)
            hash.addNumber(v);
        ++rows;
    };
    add(AlfentScott());
    add(SufentGepts());
    add(FentShafer());
    for (double age : {0.5, 4.0, 11.0, 25.0, 53.0, 71.0, 88.0})
        for (double weight : {9.0, 21.0, 44.0, 61.0, 77.0, 103.0, 142.0})
            for (double height : {78.0, 121.0, 152.0, 168.0, 177.0, 193.0})
                for (bool male : {false, true}) {
                    const double lbm = jamesLeanBodyMass(weight, height, male);
                    add(PropSchnider(age, weight, height, lbm));
                    add(PropSchniderTrick(age, weight, height, male));
                    add(PropMarsh(weight));
                    add(PropWhite(age, weight, male));
                    add(PropKataria(weight, age));
                    add(Diprifusor(age, weight));
                    add(PropPaedfusor(age, weight));
                    for (bool patient : {false, true})
                        add(PropEleveld(weight, age, male, patient));
                    for (bool venous : {false, true})
                        add(PropEleveldFinal(weight, height, age + 40.0 / 52, age, male, venous,
                                             age > 40, !male));
                    add(ABP700V1Eleveld(weight, age, height, male));
                    add(KetaDomino(weight));
                    add(MidaGreenblatt(weight));
                    add(RemimazEleveld(weight, age, male, age > 40, !male));
                    add(DexmedHannivoort(weight));
                    add(DexmedDyck(height));
                    add(RemiMinto(age, lbm));
                    add(AlfentMaitre(age, weight, male));
                    add(FentScott(weight));
                    add(SufentHudson(weight));
                    add(RemiEleveld(weight, age, height, male));
                    add(RemiKim(weight, age, height, male));
                    add(RocuKleijn(weight, age, 20 + weight, !male, age > 40));
                    add(LidocainSchnider(weight));
                }
    return "drug models " + hash.hex() + " (" + std::to_string(rows) + " rows with Cl2Hyb)";
}

} // namespace digest
