#pragma once
// The command-line tool: each command registers itself from its own file in this folder.

#include <QStringList>
#include <QTextStream>
#include <functional>

namespace velmora::werkzeug {

// args: the words after the command name. Returns the exit code.
using Command = std::function<int(const QStringList& args, QTextStream& out, QTextStream& err)>;

struct Registrar {
    // grafik: the command draws with fonts (PDF output), so it runs under a GUI application; without a
    // display it takes the offscreen platform.
    Registrar(const char* name, const char* usage, Command command, bool grafik = false);
};

// The value after an option ("--katzen 100"); fallback when absent. Removes both words from args.
QString takeOption(QStringList& args, const QString& option, const QString& fallback = {});
bool takeFlag(QStringList& args, const QString& flag);

} // namespace velmora::werkzeug
