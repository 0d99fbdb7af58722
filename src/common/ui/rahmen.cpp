#include "common/ui/rahmen.h"

namespace velmora {

namespace {
std::vector<Fensterart>& arten() {
    static std::vector<Fensterart> a;
    return a;
}
} // namespace

void fensterartRegistrieren(Fensterart art) {
    for (Fensterart& a : arten())
        if (a.name == art.name) {
            a = std::move(art);
            return;
        }
    arten().push_back(std::move(art));
}

const std::vector<Fensterart>& fensterarten() {
    return arten();
}

} // namespace velmora
