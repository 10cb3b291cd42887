#include "app/CommandLine.h"

#include "about/AboutDialog.h"

#include <QCommandLineParser>

QString VersionLine()
{
    return QStringLiteral("quorvel %1").arg(AboutDialog::VersionNumber());
}

CommandLine ParseCommandLine(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Quorvel 放物線／学習ツール: ２次関数のグラフを学ぶ教材"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("この説明を表示して終わります"));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("バージョンを表示して終わります"));
    parser.addOption(help);
    parser.addOption(version);
    // An ASCII name keeps the help's columns aligned in a terminal.
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("開く単元ファイル（*.prb, *.prx）"),
                                 QStringLiteral("[FILE]"));
    // The parser names the program after its application object, which does
    // not exist yet (or is a test's): the usage always says "quorvel".
    QString usage = parser.helpText();
    const qsizetype from = usage.indexOf(QLatin1Char(' ')) + 1;
    const qsizetype to = usage.indexOf(QStringLiteral(" [options]"));
    if (from > 0 && to > from)
        usage.replace(from, to - from, QStringLiteral("quorvel"));

    CommandLine result;
    if (!parser.parse(args)) {
        result.action = CommandLine::Action::Refuse;
        QStringList unknown;
        for (const QString &name : parser.unknownOptionNames())
            unknown.append((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name);
        const QString what = unknown.isEmpty()
                                 ? parser.errorText()
                                 : QStringLiteral("知らないオプションです: %1").arg(unknown.join(QStringLiteral(", ")));
        result.text = QStringLiteral("quorvel: %1\n%2").arg(what, usage);
        return result;
    }
    if (parser.isSet(help)) {
        result.action = CommandLine::Action::PrintHelp;
        result.text = usage;
    } else if (parser.isSet(version)) {
        result.action = CommandLine::Action::PrintVersion;
        result.text = VersionLine() + QLatin1Char('\n');
    } else if (parser.positionalArguments().size() > 1) {
        result.action = CommandLine::Action::Refuse;
        result.text = QStringLiteral("quorvel: 開ける単元ファイルは一つだけです\n%1").arg(usage);
    } else if (!parser.positionalArguments().isEmpty()) {
        result.unitFile = parser.positionalArguments().constFirst();
    }
    return result;
}
