#include "app/command_line.h"

namespace varel {

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine command;
    QStringList files;
    bool optionsEnded = false;
    for (const QString& argument : arguments) {
        if (optionsEnded || argument == "-" || !argument.startsWith('-')) {
            files << argument;
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--version") {
            return {CommandLine::Action::PrintVersion, {}, {}};
        } else if (argument == "--help" || argument == "-h") {
            return {CommandLine::Action::PrintHelp, {}, {}};
        } else if (command.problem.isEmpty()) {
            command.problem = QString("unknown option '%1'").arg(argument);
        }
    }
    if (command.problem.isEmpty() && files.size() > 1)
        command.problem = "only one data file can be opened";
    if (command.problem.isEmpty() && files.size() == 1 && files.first().isEmpty())
        command.problem = "the data file name is empty";
    if (!command.problem.isEmpty()) {
        command.action = CommandLine::Action::Refuse;
        return command;
    }
    command.file = files.value(0);
    return command;
}

QString VersionText() {
    return QString("varel (Wavesmith) %1\n").arg(VAREL_VERSION);
}

QString HelpText() {
    return "usage: varel [OPTIONS] [--] [FILE.dat]\n"
           "\n"
           "The programming tool of the radio. FILE.dat, when given, is opened at start as\n"
           "File > Open opens it.\n"
           "\n"
           "options:\n"
           "  --version     print the version and exit\n"
           "  -h, --help    show this text and exit\n"
           "The toolkit's own options (-platform NAME, -style NAME, ...) are accepted too.\n";
}

}  // namespace varel
