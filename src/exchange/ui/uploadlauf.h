#pragma once
// The upload's steps as the window runs them: each file written whole into the upload folder and posted,
// the cats' main pictures handed to the transfer worker after the cat file, its small progress dialog
// with "Abbruch", and the worker's final state reported with messages 213 to 216.

#include "exchange/onlineexport.h"
#include "exchange/upload.h"
#include "exchange/uploadeinstellungen.h"

#include <functional>

class QLabel;
class QWidget;

namespace velmora::store {
class Database;
class Table;
} // namespace velmora::store

namespace velmora::exchange {

class UploadLauf {
public:
    UploadLauf(store::Database& db, TOnlineExport& daten, store::Table& katzen, const UploadEinstellungen& e,
               QWidget* eltern);

    struct Ergebnis {
        bool dateiFehler = false; // a file could not be created: the run ended there
        bool sendeFehler = false; // a POST failed (the remaining steps still ran)
        bool abgebrochen = false; // stopped by the user: the running POST ended, no further step ran
        Zeichenverluste verluste;
        TFtpAction bilder = TFtpAction::ftpREADY;
        int bilderGesendet = 0;
    };
    // abbruch is read while a file is sent and between the steps (the caller's button sets it).
    Ergebnis ausfuehren(const UploadAuswahl& auswahl, const QString& ordner, QLabel* hinweis,
                        const TOnlineExport::Fortschritt& fortschritt, const bool* abbruch = nullptr);

private:
    TFtpAction bilderSenden(const QStringList& pfade, int* gesendet);

    store::Database& m_db;
    TOnlineExport& m_daten;
    store::Table& m_katzen;
    const UploadEinstellungen& m_e;
    QWidget* m_eltern;
};

} // namespace velmora::exchange
