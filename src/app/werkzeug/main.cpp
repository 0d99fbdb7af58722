#include "app/werkzeug/werkzeug.h"

#include <QCoreApplication>
#include <QMap>
#include <cstdio>

namespace velmora::werkzeug {
namespace {
struct Entry {
    QString usage;
    Command command;
};
QMap<QString, Entry>& commands() {
    static QMap<QString, Entry> map;
    return map;
}
} // namespace

Registrar::Registrar(const char* name, const char* usage, Command command) {
    commands().insert(QString::fromUtf8(name), Entry{QString::fromUtf8(usage), std::move(command)});
}

QString takeOption(QStringList& args, const QString& option, const QString& fallback) {
    const int i = args.indexOf(option);
    if (i < 0 || i + 1 >= args.size()) return fallback;
    const QString value = args.at(i + 1);
    args.remove(i, 2);
    return value;
}

bool takeFlag(QStringList& args, const QString& flag) { return args.removeAll(flag) > 0; }

} // namespace velmora::werkzeug

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    using velmora::werkzeug::commands;
    if (args.isEmpty() || !commands().contains(args.first())) {
        err << "velmora-werkzeug: unknown or missing command\n";
        for (auto it = commands().cbegin(); it != commands().cend(); ++it)
            err << "  velmora-werkzeug " << it->usage << "\n";
        return 64;
    }
    const auto entry = commands().value(args.takeFirst());
    const int rc = entry.command(args, out, err);
    out.flush();
    err.flush();
    return rc;
}
