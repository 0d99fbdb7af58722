#include "language/textpruefung.h"

#include "store/errors.h"
#include "store/table.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>

namespace velmora::language {

namespace {

void bereichEintragen(const QString& liste, QSet<int>& ziel) {
    static const QRegularExpression zahl(QStringLiteral(R"((\d+)(?:\s*-\s*(\d+))?)"));
    auto it = zahl.globalMatch(liste);
    while (it.hasNext()) {
        const auto m = it.next();
        const int von = m.captured(1).toInt();
        const int bis = m.captured(2).isEmpty() ? von : m.captured(2).toInt();
        for (int n = von; n <= bis && n - von < 10000; ++n)
            ziel.insert(n);
    }
}

QList<int> sortiert(const QSet<int>& s) {
    QList<int> l(s.begin(), s.end());
    std::sort(l.begin(), l.end());
    return l;
}

} // namespace

void textNummernAusText(const QString& text, TextNummern& nummern) {
    static const QRegularExpression meldungen(
        QStringLiteral(R"(\b(?:MeldungLaden|meldung|nachricht|Meldungsdienst::ja)\(\s*(\d+)\s*[,)])"));
    static const QRegularExpression beschriftungen(QStringLiteral(
        R"(\b(?:FeldNameLaden|feldName|FeldNameSprache)\(\s*(\d+)\s*[,)]|\bsetTag\([^,;()]*(?:\([^()]*\))?[^,;()]*,\s*(\d+)\s*\)|setProperty\(\s*"tag"\s*,\s*(\d+)\s*\))"));
    static const QRegularExpression liste(
        QStringLiteral(R"(//\s*texte:\s*(meldung|feldname)\s+([0-9 ,\-]+))"));

    auto it = meldungen.globalMatch(text);
    while (it.hasNext())
        nummern.meldungen.insert(it.next().captured(1).toInt());
    it = beschriftungen.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        for (int g = 1; g <= 3; ++g)
            if (!m.captured(g).isEmpty()) nummern.beschriftungen.insert(m.captured(g).toInt());
    }
    it = liste.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        bereichEintragen(m.captured(2), m.captured(1) == QLatin1String("meldung") ? nummern.meldungen
                                                                                  : nummern.beschriftungen);
    }
    nummern.meldungen.remove(0);
    nummern.beschriftungen.remove(0);
}

TextNummern textNummernSuchen(const QString& quellOrdner) {
    TextNummern n;
    QDirIterator it(quellOrdner, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly)) textNummernAusText(QString::fromUtf8(f.readAll()), n);
    }
    return n;
}

QList<FehlenderText> fehlendeTexte(const TextNummern& nummern, store::Database& db) {
    static const char* const namen[] = {"deutsch", "englisch", "hollaendisch"};
    QList<FehlenderText> fehlend;
    const auto pruefen = [&](const QString& tabelle, const QSet<int>& zahlen, bool meldung) {
        store::Table t(db, tabelle);
        bool offen = false;
        try {
            if (t.exists()) {
                t.open(store::Table::OpenMode::ReadOnly);
                t.setIndexName(QString());
                offen = true;
            }
        } catch (const store::DatabaseError&) {
        }
        for (int n : sortiert(zahlen)) {
            FehlenderText f{meldung, n, {}};
            for (int l = 0; l < 3; ++l)
                if (!offen || !t.findKey({n + l * 10000})) f.sprachen << QString::fromLatin1(namen[l]);
            if (!f.sprachen.isEmpty()) fehlend << f;
        }
    };
    pruefen(QStringLiteral("sprmel"), nummern.meldungen, true);
    pruefen(QStringLiteral("sprache"), nummern.beschriftungen, false);
    return fehlend;
}

} // namespace velmora::language
