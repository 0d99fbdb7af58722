#include "app/fensterregister.h"

namespace velmora::app {

namespace {
constexpr ExklusivesFenster kFenster[] = {
    {"Adressenverwaltung", 138, "adressenverwaltung"},
    {"FormKatzennamen", 5, "formkatzennamen"},
    {"FormVereine", 3, "formvereine"},
    {"FormZwingerregisterPrivat", 193, "formzwingerregisterprivat"},
    {"FormOnlineDBInterface", 194, "formonlinedbinterface"},
    // the same window in its CSV export and table editor modes
    {"FormOnlineDBInterfaceCSV", 194, "formonlinedbinterfacecsv"},
    {"FormOnlineDBInterfaceEditor", 194, "formonlinedbinterfaceeditor"},
    {"FormZwingerregister", 1, "formzwingerregister"},
    {"FormAusstellungstermine", 4, "formausstellungstermine"},
    {"FormBuchfuehrung", 2, "formbuchfuehrung"},
    {"FormStammbaum", 118, "formstammbaum"},
    {"FormStatistikMerkmaleDatei", 122, "formstatistikmerkmaledatei"},
};
} // namespace

std::span<const ExklusivesFenster> exklusiveFenster() { return kFenster; }

bool istExklusiv(const QString& fensterName) {
    for (const auto& f : kFenster)
        if (fensterName == QLatin1String(f.name)) return true;
    return false;
}

void Fensterregister::geoeffnet(const QString& name) {
    if (!m_offen.contains(name)) m_offen << name;
}

void Fensterregister::geschlossen(const QString& name) { m_offen.removeAll(name); }

bool Fensterregister::exklusivOffen() const {
    for (const auto& f : kFenster)
        if (offen(QLatin1String(f.name))) return true;
    return false;
}

Fensterregister::Pruefung Fensterregister::pruefen(const QString& argument, bool programmEnde) const {
    Pruefung p;
    if (programmEnde) {
        p.code = 10;
        return p;
    }
    for (const auto& f : kFenster) {
        const QString name = QLatin1String(f.name);
        if (offen(name) && name != argument) {
            p.code = f.code;
            p.blockierer = QLatin1String(f.objektName);
        }
    }
    if (p.code == 0) return p;
    p.nachVorne = argument == QLatin1String("bringtofront");
    p.meldungZeigen = argument != QLatin1String("ohneMeldung");
    return p;
}

} // namespace velmora::app
