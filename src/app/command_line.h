#pragma once
// The program's command line: `varel [FILE.dat]`, `varel --version`, `varel --help`.
#include <QString>
#include <QStringList>

namespace varel {

/// What the command line asks for.
struct CommandLine {
    enum class Action {
        Run,           ///< start the program, opening `file` when it is not empty
        PrintVersion,  ///< print VersionText() and end
        PrintHelp,     ///< print HelpText() and end
        Refuse,        ///< print `problem` and HelpText() to standard error and end (exit 2)
    };
    Action action = Action::Run;
    QString file;
    QString problem;
};

/// Reads the arguments after the program's name. --version and --help (or -h) win over
/// anything else before "--"; "--" makes the next argument the file even when it begins with a
/// dash. Another option, or more than one file, is refused. The toolkit's own options must
/// have been taken out already, save for the first reading that only looks for --version and
/// --help before the toolkit starts.
CommandLine ParseCommandLine(const QStringList& arguments);

/// "varel (Wavesmith) VERSION".
QString VersionText();
/// The usage text.
QString HelpText();

}  // namespace varel
