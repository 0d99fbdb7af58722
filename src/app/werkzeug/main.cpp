#include "app/werkzeug/werkzeug.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMap>
#include <cstdio>
#include <memory>

namespace velmora::werkzeug {
namespace {
struct Entry {
    QString usage;
    Command command;
    bool grafik = false;
};
QMap<QString, Entry>& commands() {
    static QMap<QString, Entry> map;
    return map;
}
} // namespace

Registrar::Registrar(const char* name, const char* usage, Command command, bool grafik) {
    commands().insert(QString::fromUtf8(name), Entry{QString::fromUtf8(usage), std::move(command), grafik});
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
    using velmora::werkzeug::commands;
    // Commands that draw need fonts, hence a GUI application; no window opens, so no display is needed.
    const auto gewaehlt = argc > 1 ? commands().find(QString::fromLocal8Bit(argv[1])) : commands().end();
    const bool grafik = gewaehlt != commands().end() && gewaehlt->grafik;
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (grafik && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    std::unique_ptr<QCoreApplication> anwendung;
    if (grafik)
        anwendung = std::make_unique<QGuiApplication>(argc, argv);
    else
        anwendung = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication& app = *anwendung;
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
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
