#include "common/herunterladen.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>
#include <curl/curl.h>

namespace velmora {

namespace {

void einmalInitialisieren() {
    static const bool fertig = [] { return curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; }();
    (void)fertig;
}

size_t schreiben(char* daten, size_t groesse, size_t anzahl, void* ziel) {
    auto* datei = static_cast<QSaveFile*>(ziel);
    const qint64 n = qint64(groesse * anzahl);
    return datei->write(daten, n) == n ? size_t(n) : 0;
}

} // namespace

bool internetVerbindung(const QString& adresse, int millisekunden) {
    const QUrl url(adresse);
    if (url.isLocalFile()) return QFileInfo::exists(url.toLocalFile());
    einmalInitialisieren();
    CURL* c = curl_easy_init();
    if (!c) return false;
    const QByteArray a = adresse.toUtf8();
    curl_easy_setopt(c, CURLOPT_URL, a.constData());
    curl_easy_setopt(c, CURLOPT_CONNECT_ONLY, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, long(millisekunden));
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    const CURLcode rc = curl_easy_perform(c);
    curl_easy_cleanup(c);
    return rc == CURLE_OK;
}

bool dateiHerunterladen(const QString& adresse, const QString& ziel, QString* fehler, int millisekunden) {
    einmalInitialisieren();
    QDir().mkpath(QFileInfo(ziel).absolutePath());
    QSaveFile datei(ziel);
    if (!datei.open(QIODevice::WriteOnly)) {
        if (fehler) *fehler = datei.errorString();
        return false;
    }
    CURL* c = curl_easy_init();
    if (!c) {
        if (fehler) *fehler = QStringLiteral("libcurl");
        return false;
    }
    const QByteArray a = adresse.toUtf8();
    char puffer[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(c, CURLOPT_URL, a.constData());
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, schreiben);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &datei);
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_FAILONERROR, 1L); // an HTTP error page is no breed list
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, long(millisekunden));
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, puffer);
    const CURLcode rc = curl_easy_perform(c);
    curl_easy_cleanup(c);
    if (rc != CURLE_OK) {
        datei.cancelWriting();
        if (fehler) *fehler = QString::fromUtf8(puffer[0] ? puffer : curl_easy_strerror(rc));
        return false;
    }
    if (!datei.commit()) {
        if (fehler) *fehler = datei.errorString();
        return false;
    }
    return true;
}

} // namespace velmora
