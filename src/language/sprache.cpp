#include "language/sprache.h"

#include "store/errors.h"

namespace velmora::language {

QLocale datumsLocale() {
    return QLocale(QLocale::German, QLocale::Germany);
}

int spracheOffset(int sprache) {
    switch (sprache) {
    case 1:
        return 10000;
    case 2:
        return 20000;
    default:
        return 0;
    }
}

int spracheOffset(const QString& sprachname) {
    const QString s = sprachname.toLower();
    if (s == QLatin1String("englisch")) return 10000;
    if (s == QLatin1String("hollaendisch")) return 20000;
    return 0;
}

void AmpersandEntfernen(QString& text) {
    const int i = text.indexOf(QLatin1Char('&'));
    if (i >= 0) text.remove(i, 1);
}

TSprache::TSprache(store::Database& db, int sprache)
    : m_db(db), m_sprache(sprache), m_sprmel(std::make_unique<store::Table>(db, QStringLiteral("sprmel"))),
      m_spracheTab(std::make_unique<store::Table>(db, QStringLiteral("sprache"))) {
    // Texts edited while the program runs (the tool, the index rebuild) must not be served stale.
    m_listener = m_db.addChangeListener([this](const QString& table, store::ChangeKind, qint64) {
        if (table == QLatin1String("sprmel")) cacheLeeren();
    });
}

TSprache::~TSprache() {
    if (m_listener >= 0) m_db.removeChangeListener(m_listener);
}

bool TSprache::oeffnen() {
    cacheLeeren();
    for (store::Table* t : {m_sprmel.get(), m_spracheTab.get()}) {
        if (t->isOpen()) continue;
        try {
            t->open(store::Table::OpenMode::ReadOnly);
            t->setIndexName(QString());
        } catch (const store::DatabaseError&) {
            if (t->isOpen()) t->close();
        }
    }
    return meldungenOffen() && beschriftungenOffen();
}

void TSprache::schliessen() {
    cacheLeeren();
    m_sprmel->close();
    m_spracheTab->close();
}

bool TSprache::meldungenOffen() const {
    return m_sprmel->isOpen();
}
bool TSprache::beschriftungenOffen() const {
    return m_spracheTab->isOpen();
}

void TSprache::setSprache(int sprache) {
    if (sprache == m_sprache) return;
    m_sprache = sprache;
    cacheLeeren();
}

void TSprache::MeldungLaden(int n, QString& text) {
    if (!m_sprmel->isOpen()) return;
    const int key = n + offset();
    auto it = m_meldungen.constFind(key);
    if (it == m_meldungen.constEnd()) {
        Eintrag e;
        e.gefunden = m_sprmel->findKey({key});
        if (e.gefunden) e.text = m_sprmel->asString(QStringLiteral("Meldung"));
        it = m_meldungen.insert(key, e);
    }
    if (it->gefunden) text = it->text;
}

void TSprache::FeldNameLaden(int n, QString& text) {
    if (!m_spracheTab->isOpen()) return;
    text = beschriftungSuchen(n + offset()) ? feldNameAktuell() : QString();
}

void TSprache::FeldNameSprache(int n, const QString& sprachname, QString& text) {
    if (!m_spracheTab->isOpen()) return;
    text = beschriftungSuchen(n + spracheOffset(sprachname)) ? feldNameAktuell() : QString();
}

bool TSprache::beschriftungSuchen(int key) {
    if (!m_spracheTab->isOpen()) return false;
    return m_spracheTab->findKey({key});
}

void TSprache::naechsteBeschriftung() {
    if (m_spracheTab->isOpen()) m_spracheTab->next(); // past the end the cursor keeps the last record
}

QString TSprache::feldNameAktuell() const {
    return m_spracheTab->hasRecord() ? m_spracheTab->asString(QStringLiteral("FeldName")) : QString();
}

QString TSprache::feldHilfeAktuell() const {
    return m_spracheTab->hasRecord() ? m_spracheTab->asString(QStringLiteral("FeldHilfe")) : QString();
}

namespace {
TSprache* g_sprache = nullptr;
}

TSprache* aktuelleSprache() {
    return g_sprache;
}
void setAktuelleSprache(TSprache* sprache) {
    g_sprache = sprache;
}

void MeldungLaden(int n, QString& text) {
    if (g_sprache) g_sprache->MeldungLaden(n, text);
}
QString meldung(int n, const QString& fallback) {
    QString t = fallback;
    MeldungLaden(n, t);
    return t;
}
void FeldNameLaden(int n, QString& text) {
    if (g_sprache) g_sprache->FeldNameLaden(n, text);
}
QString feldName(int n) {
    QString t;
    FeldNameLaden(n, t);
    return t;
}
void FeldNameSprache(int n, const QString& sprachname, QString& text) {
    if (g_sprache) g_sprache->FeldNameSprache(n, sprachname, text);
}

} // namespace velmora::language
