// The command line: what `tav --help` and the manual page (resources/tav.6)
// describe. It is read before the window system is touched, so a bad option
// is refused with no display at all.
#pragma once

#include <QString>
#include <QStringList>

namespace tav::app {

struct CommandLine {
    enum class Action { run, help, version, refuse };
    Action action = Action::run;
    QString text;  // what to print: help or version (stdout), or the refusal and the usage (stderr)
};

// `arguments` as the program received them, the program's name first.
// Qt's own -platform, -display and -style are accepted and left for Qt.
CommandLine parse_command_line(const QStringList& arguments, const QString& version);

// Prints the text where it belongs and returns the exit status: 0 after help
// or version, 2 after a refusal. Not for Action::run.
int finish(const CommandLine& command);

QStringList arguments_of(int argc, char** argv);

}  // namespace tav::app
