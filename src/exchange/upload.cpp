#include "exchange/upload.h"

#include "exchange/onlineexport.h"
#include "store/database.h"
#include "store/table.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QUrl>
#include <curl/curl.h>

namespace velmora::exchange {

namespace {

bool curlBereit() {
    static const bool fertig = [] { return curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; }();
    return fertig;
}

struct Abbruch {
    std::atomic<bool>* stop;
};

int fortschritt(void* p, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<Abbruch*>(p)->stop->load() ? 1 : 0;
}

size_t verwerfen(char*, size_t size, size_t n, void*) {
    return size * n;
}

size_t lesen(char* puffer, size_t size, size_t n, void* p) {
    auto* f = static_cast<QFile*>(p);
    const qint64 r = f->read(puffer, qint64(size * n));
    return r < 0 ? CURL_READFUNC_ABORT : size_t(r);
}

QByteArray ftpAdresse(const TFtpConfig& c, const QString& ordner, const QString& datei = {}) {
    QString a = QStringLiteral("ftp://") + c.Hostname + QLatin1Char('/');
    if (!ordner.isEmpty()) a += ordner + QLatin1Char('/');
    a += datei;
    return QUrl(a).toEncoded();
}

void grundeinstellungen(CURL* c, const TFtpConfig& cfg, Abbruch* abbruch, char* fehler) {
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, fehler);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, 20L);
    curl_easy_setopt(c, CURLOPT_USERNAME, cfg.Username.toUtf8().constData());
    curl_easy_setopt(c, CURLOPT_PASSWORD, cfg.Password.toUtf8().constData());
    curl_easy_setopt(c, CURLOPT_USE_SSL, long(cfg.OhneTls ? CURLUSESSL_TRY : CURLUSESSL_ALL));
    curl_easy_setopt(c, CURLOPT_FTPSSLAUTH, long(CURLFTPAUTH_DEFAULT));
    if (!cfg.ZertifikatPruefen) {
        curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 0L);
        curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 0L);
    }
    if (!cfg.Passive) curl_easy_setopt(c, CURLOPT_FTPPORT, "-");
    curl_easy_setopt(c, CURLOPT_FTP_USE_EPSV, cfg.Passive ? 1L : 0L);
    curl_easy_setopt(c, CURLOPT_TRANSFERTEXT, 0L); // TYPE I
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, verwerfen);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, fortschritt);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, abbruch);
}

} // namespace

Sendung httpSenden(const QString& adresse, const QString& datei, const std::function<bool()>& warten,
                   QString* fehler) {
    if (!curlBereit()) {
        if (fehler) *fehler = QStringLiteral("libcurl");
        return Sendung::Fehler;
    }
    std::atomic<bool> stop{false}, fertig{false};
    CURLcode rc = CURLE_OK;
    char puffer[CURL_ERROR_SIZE] = {};
    const QByteArray
        url = adresse.toUtf8(),
        pfad = QFile::encodeName(datei), name = QFileInfo(datei).fileName().toUtf8(),
        typ = QMimeDatabase().mimeTypeForFile(datei, QMimeDatabase::MatchExtension).name().toUtf8();
    std::thread t([&] {
        CURL* c = curl_easy_init();
        CURLM* m = curl_multi_init();
        Abbruch abbruch{&stop};
        curl_mime* form = curl_mime_init(c);
        curl_mimepart* teil = curl_mime_addpart(form);
        curl_mime_name(teil, "bild");
        curl_mime_filedata(teil, pfad.constData());
        curl_mime_filename(teil, name.constData());
        curl_mime_type(teil, typ.constData());
        curl_easy_setopt(c, CURLOPT_URL, url.constData());
        curl_easy_setopt(c, CURLOPT_MIMEPOST, form);
        curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(c, CURLOPT_FAILONERROR, 1L);
        curl_easy_setopt(c, CURLOPT_ERRORBUFFER, puffer);
        curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, 20L);
        curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, verwerfen);
        curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, fortschritt);
        curl_easy_setopt(c, CURLOPT_XFERINFODATA, &abbruch);
        // The multi interface, so a stop is seen every 20 ms even while the server sends nothing (the
        // progress callback alone may wait a second there).
        curl_multi_add_handle(m, c);
        rc = CURLE_COULDNT_CONNECT;
        for (int laufend = 1; laufend && !stop.load();) {
            if (curl_multi_perform(m, &laufend) != CURLM_OK) break;
            if (laufend && curl_multi_poll(m, nullptr, 0, 20, nullptr) != CURLM_OK) break;
        }
        int rest = 0;
        while (CURLMsg* msg = curl_multi_info_read(m, &rest))
            if (msg->msg == CURLMSG_DONE) rc = msg->data.result;
        if (stop.load()) rc = CURLE_ABORTED_BY_CALLBACK;
        curl_multi_remove_handle(m, c);
        curl_mime_free(form);
        curl_easy_cleanup(c);
        curl_multi_cleanup(m);
        fertig = true;
    });
    while (!fertig.load()) {
        if (warten && warten()) stop = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    t.join();
    if (rc == CURLE_ABORTED_BY_CALLBACK) return Sendung::Abgebrochen;
    if (rc != CURLE_OK && fehler) *fehler = QString::fromUtf8(puffer[0] ? puffer : curl_easy_strerror(rc));
    return rc == CURLE_OK ? Sendung::Ok : Sendung::Fehler;
}

QString ftpZielordner(const QString& basis, const QString& kennung) {
    const QString b = bilderOrdner(kennung);
    QString p = basis;
    while (p.endsWith(QLatin1Char('/')))
        p.chop(1);
    if (b.isEmpty()) return p;
    return p.isEmpty() ? b : p + QLatin1Char('/') + b;
}

TFtpUpload::TFtpUpload(TFtpConfig config, QString datenVerzeichnis)
    : m_config(std::move(config)), m_daten(std::move(datenVerzeichnis)) {}

TFtpUpload::~TFtpUpload() {
    m_stop = true;
    warten();
}

void TFtpUpload::hinzufuegen(const QString& pfad) {
    std::lock_guard<std::mutex> l(m_liste);
    m_dateien << pfad;
}

int TFtpUpload::anzahl() const {
    std::lock_guard<std::mutex> l(m_liste);
    return int(m_dateien.size());
}

void TFtpUpload::starten() {
    warten();
    m_stop = false;
    m_gesendet = 0;
    m_laeuft = true;
    m_thread = std::thread([this] {
        lauf();
        m_laeuft = false;
    });
}

void TFtpUpload::warten() {
    if (m_thread.joinable()) m_thread.join();
}

void TFtpUpload::lauf() {
    std::lock_guard<std::mutex> l(m_liste);
    m_fehler.clear();
    if (!curlBereit()) {
        m_zustand = TFtpAction::ftpCONNECTING;
        return;
    }
    char puffer[CURL_ERROR_SIZE] = {};
    Abbruch abbruch{&m_stop};
    CURL* c = curl_easy_init();
    const auto ende = [&](TFtpAction z) {
        m_zustand = z;
        if (z != TFtpAction::ftpREADY && z != TFtpAction::ftpBREAK) m_fehler = QString::fromUtf8(puffer);
        curl_easy_cleanup(c);
    };
    const auto anfrage = [&](const QByteArray& url) {
        curl_easy_reset(c);
        grundeinstellungen(c, m_config, &abbruch, puffer);
        curl_easy_setopt(c, CURLOPT_URL, url.constData());
        curl_easy_setopt(c, CURLOPT_NOBODY, 1L);
        return curl_easy_perform(c);
    };
    // Login alone first, so a refused login and a missing folder are told apart.
    m_zustand = TFtpAction::ftpCONNECTING;
    if (m_stop) return ende(TFtpAction::ftpBREAK);
    if (anfrage(ftpAdresse(m_config, QString())) != CURLE_OK)
        return ende(m_stop ? TFtpAction::ftpBREAK : TFtpAction::ftpCONNECTING);
    if (!m_config.TargetPath.isEmpty()) {
        m_zustand = TFtpAction::ftpCHANGEDIR;
        if (anfrage(ftpAdresse(m_config, m_config.TargetPath)) != CURLE_OK)
            return ende(m_stop ? TFtpAction::ftpBREAK : TFtpAction::ftpCHANGEDIR);
    }
    std::unique_ptr<store::Database> db;
    std::unique_ptr<store::Table> gesendet;
    for (const QString& pfad : std::as_const(m_dateien)) {
        if (m_stop) return ende(TFtpAction::ftpBREAK);
        QFile f(pfad);
        if (!f.exists()) continue;
        ++m_gesendet;
        m_zustand = TFtpAction::ftpUPLOADING;
        const GesendetesBild eintrag = bildEintrag(pfad);
        if (!f.open(QIODevice::ReadOnly)) return ende(TFtpAction::ftpUPLOADING);
        curl_easy_reset(c);
        grundeinstellungen(c, m_config, &abbruch, puffer);
        curl_easy_setopt(c, CURLOPT_URL, ftpAdresse(m_config, m_config.TargetPath, eintrag.name).constData());
        curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(c, CURLOPT_READFUNCTION, lesen);
        curl_easy_setopt(c, CURLOPT_READDATA, &f);
        curl_easy_setopt(c, CURLOPT_INFILESIZE_LARGE, curl_off_t(f.size()));
        if (curl_easy_perform(c) != CURLE_OK)
            return ende(m_stop ? TFtpAction::ftpBREAK : TFtpAction::ftpUPLOADING);
        try {
            if (!db) {
                db = std::make_unique<store::Database>(m_daten);
                gesendet = std::make_unique<store::Table>(*db, QStringLiteral("bilderupload"));
                gesendet->open();
            }
            gesendet->append();
            gesendet->setValue(QStringLiteral("Name"), eintrag.name);
            gesendet->setValue(QStringLiteral("Filegroesse"), eintrag.groesse);
            gesendet->setValue(QStringLiteral("Aenderungsdatum"),
                               QDateTime::fromSecsSinceEpoch(eintrag.zeit));
            gesendet->post();
        } catch (const std::exception& e) {
            m_fehler = QString::fromUtf8(e.what());
            return ende(TFtpAction::ftpUPLOADING);
        }
        if (m_stop) return ende(TFtpAction::ftpBREAK);
    }
    m_dateien.clear();
    ende(TFtpAction::ftpREADY);
}

} // namespace velmora::exchange
