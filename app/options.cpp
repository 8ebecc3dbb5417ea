#include "app/options.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <cstdio>

namespace tav::app {

namespace {

void set_up(QCommandLineParser& parser) {
    parser.setApplicationDescription(QStringLiteral("瑟柯牌局 (Tav): a six-seat Chinese climbing card game, "
                                                    "you and two partners against three opponents, every other seat "
                                                    "played by the computer."));
    // Qt's options are single-dash words (-platform); ours keep their short forms.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(QCommandLineOption({"h", "help"}, "Show this help and exit."));
    parser.addOption(QCommandLineOption({"v", "version"}, "Show the version and exit."));
    parser.addOption(QCommandLineOption(QStringLiteral("platform"), "Qt platform plugin to use (for example xcb).",
                                        "name"));
    parser.addOption(QCommandLineOption(QStringLiteral("display"), "X display to open (for example :0).", "display"));
    parser.addOption(QCommandLineOption(QStringLiteral("style"), "Qt widget style for the dialogs.", "style"));
}

QString usage(const QCommandLineParser& parser) {
    // Parsed without an application object, Qt cannot know the program's name.
    QString text = parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("tav"));
    if (!text.endsWith('\n')) text += '\n';
    return text;
}

}  // namespace

CommandLine parse_command_line(const QStringList& arguments, const QString& version) {
    QCommandLineParser parser;
    set_up(parser);
    if (!parser.parse(arguments))
        return {CommandLine::Action::refuse, "tav: " + parser.errorText() + "\n" + usage(parser)};
    if (!parser.positionalArguments().isEmpty())
        return {CommandLine::Action::refuse,
                "tav: unexpected argument '" + parser.positionalArguments().constFirst() + "'.\n" + usage(parser)};
    if (parser.isSet(QStringLiteral("help"))) return {CommandLine::Action::help, usage(parser)};
    if (parser.isSet(QStringLiteral("version"))) return {CommandLine::Action::version, "tav " + version + "\n"};
    return {};
}

int finish(const CommandLine& command) {
    const bool refused = command.action == CommandLine::Action::refuse;
    std::FILE* out = refused ? stderr : stdout;
    std::fputs(command.text.toLocal8Bit().constData(), out);
    std::fflush(out);
    return refused ? 2 : 0;
}

QStringList arguments_of(int argc, char** argv) {
    QStringList list;
    for (int i = 0; i < argc; ++i) list << QString::fromLocal8Bit(argv[i]);
    return list;
}

}  // namespace tav::app
