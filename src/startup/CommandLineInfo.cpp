#include "startup/CommandLineInfo.h"

namespace kestro {

InfoRequest FindInfoRequest(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (argument == QStringLiteral("--help"))
            return InfoRequest::Help;
        if (argument == QStringLiteral("--version"))
            return InfoRequest::Version;
    }
    return InfoRequest::None;
}

QString UsageText() {
    return QStringLiteral(
        "Usage: kestro [-i]FILE ...\n"
        "       kestro --export-ics OUT.ics [OPTION ...] [[-i]FILE]\n"
        "       kestro --export-pdf OUT.pdf [--year Y | --years Y1-Y2] [--holidays FILE.ics]\n"
        "              [[-i]FILE]\n"
        "       kestro --summary YEAR [--holidays FILE.ics] [[-i]FILE]\n"
        "       kestro --who DATE [[-i]FILE]\n"
        "       kestro --compare OTHER.ini [--from DATE] [--months N] [[-i]FILE]\n"
        "Edits the platoon rotation, its start date and the platoon colors that the shift\n"
        "calendar Dunmarek reads from its settings file Dunmarek.ini.\n"
        "\n"
        "Each FILE names a settings file, directly or after -i or -I; its extension is\n"
        "replaced by .ini. The last FILE decides: it is edited if it exists, and when it\n"
        "does not, no file named on the command line is used.\n"
        "\n"
        "Without such a file, the first of these folders that has the sub-folder\n"
        "Halvgard/Dunmarek6 holds the settings file:\n"
        "  $XDG_CONFIG_HOME (default ~/.config)\n"
        "  $XDG_DATA_HOME (default ~/.local/share)\n"
        "  the first folder of $XDG_CONFIG_DIRS (default /etc/xdg)\n"
        "else the program's own folder, when the file Dunmarek.cds lies there.\n"
        "\n"
        "--export-ics writes the schedule as a calendar file (iCalendar, .ics) that\n"
        "calendar programs import or subscribe to, and needs no display. The settings\n"
        "file is found as above, but a FILE that does not exist is an error; it is only\n"
        "read. The options of --export-ics:\n"
        "  --platoons LETTERS  only these platoons, e.g. AB (default: all of the rotation)\n"
        "  --from DATE         first day (default: the start date of the rotation)\n"
        "  --until DATE        last day (default: none, the events repeat without end)\n"
        "  --text TEXT         text of the events, {letter} standing for the platoon's\n"
        "                      letter (default: \"Platoon {letter}\")\n"
        "  --name NAME         name of the calendar (default: \"Shift calendar\")\n"
        "DATE is yyyy-mm-dd or a date in your short date format. Exit status 2 for bad\n"
        "arguments or a bad or missing settings file, 1 when OUT.ics cannot be written.\n"
        "\n"
        "--export-pdf writes the schedule as a year calendar to print, a PDF of one\n"
        "landscape page per year (Letter paper when LC_ALL, LC_PAPER or LANG names the\n"
        "US or Canada, else A4), without a display; settings file and exit status as\n"
        "for --export-ics. Example: kestro --export-pdf wall.pdf --years 2025-2027\n"
        "  --year Y            the year to print (default: the current year)\n"
        "  --years Y1-Y2       the years Y1 to Y2, one page each, at most 100\n"
        "  --holidays FILE.ics mark the holidays of this calendar file\n"
        "\n"
        "--summary prints, for each platoon, the days, Saturdays, Sundays and holidays\n"
        "it works in YEAR, and who works each holiday of the --holidays file. --who\n"
        "prints the letter of the platoon on duty on DATE (\"none\" if no platoon is),\n"
        "on one line. Both need no display; exit status 2 for bad arguments, settings\n"
        "or holiday file.\n"
        "\n"
        "--compare prints what the rotation of OTHER.ini would change against the\n"
        "settings file in force: for each platoon the days and weekend days gained and\n"
        "lost and the first day that changes, over 12 months from today (or from the\n"
        "new start date when later). --from DATE starts on DATE, --months N (1 to 1200)\n"
        "compares N months. Needs no display; exit status 2 for bad arguments or\n"
        "settings.\n"
        "\n"
        "  --help     show this help and exit\n"
        "  --version  show the version and exit\n");
}

QString VersionText() {
    return QStringLiteral("kestro " KESTRO_VERSION "\n");
}

} // namespace kestro
