#include "register/statusliste.h"

#include <vector>

namespace velmora::reg {

namespace {
const QString kStatus = QStringLiteral("Status");

std::vector<qint64> ersteZeilen(store::Table& status) {
    std::vector<qint64> ids;
    status.first();
    while (status.hasRecord() && !status.eof() && int(ids.size()) < kStatusFelder) {
        ids.push_back(status.recordId());
        status.next();
    }
    return ids;
}
} // namespace

StatusFelder statusFelderLesen(store::Table& status) {
    StatusFelder felder;
    const std::vector<qint64> ids = ersteZeilen(status);
    for (size_t i = 0; i < ids.size(); ++i) {
        status.gotoRecordId(ids[i]);
        felder[i] = {true, status.asString(kStatus)};
    }
    status.first();
    return felder;
}

void leereEndfelderAusblenden(StatusFelder& felder) {
    for (int i = kStatusFelder - 1; i >= 0; --i) {
        if (!felder[i].sichtbar) continue;
        if (!felder[i].text.isEmpty()) break;
        felder[i].sichtbar = false;
    }
}

void statusSpeichern(store::Table& status, StatusFelder& felder) {
    leereEndfelderAusblenden(felder);
    const std::vector<qint64> ids = ersteZeilen(status);
    for (int i = 0; i < kStatusFelder; ++i) {
        const bool vorhanden = i < int(ids.size());
        if (felder[i].sichtbar) {
            if (vorhanden) {
                status.gotoRecordId(ids[i]);
                if (status.asString(kStatus) == felder[i].text) continue;
                status.edit();
            } else {
                status.append();
            }
            status.setValue(kStatus, felder[i].text);
            status.post();
        } else if (vorhanden) {
            status.gotoRecordId(ids[i]);
            status.remove();
        }
    }
    status.flush();
    status.first();
}

} // namespace velmora::reg
