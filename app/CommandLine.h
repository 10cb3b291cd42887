#pragma once
// The program's command line: an optional unit file to open, --help and
// --version. Parsed before any window exists, so it works without a display.

#include <QString>
#include <QStringList>

struct CommandLine {
    enum class Action { Run, PrintHelp, PrintVersion, Refuse };
    Action action = Action::Run;
    QString unitFile;  // empty when none was given
    QString text;      // what to print for every action but Run
    int exitCode() const { return action == Action::Refuse ? 2 : 0; }
};

// args[0] is the program's own name, as in argv.
CommandLine ParseCommandLine(const QStringList &args);
// "quorvel 0.1.0", the text --version prints.
QString VersionLine();
