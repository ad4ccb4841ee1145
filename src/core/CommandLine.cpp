#include "CommandLine.h"

#include "ApplicationState.h"

#include <algorithm>

namespace lgbatch {

using namespace Qt::StringLiterals;

namespace {

bool isOneOf(const QString &argument, std::initializer_list<const char *> names)
{
    for (const char *name : names)
        if (argument == QLatin1StringView(name))
            return true;
    return false;
}

} // namespace

StartOptions CommandLine::parse(const QStringList &arguments)
{
    StartOptions options;
    const auto fail = [&options](const QString &text) {
        if (options.error.isEmpty())
            options.error = text;
    };
    const auto takeDir = [&](const QString &dir) {
        if (options.programDir)
            fail(QStringLiteral("选项 --dir 只能给一次"));
        else if (dir.isEmpty())
            fail(QStringLiteral("选项 --dir 后面缺少目录"));
        else
            options.programDir = dir;
    };
    const QLatin1StringView dirWithValue("--dir=");
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (isOneOf(argument, {"-h", "--help", "-?", "/?"})) {
            options.help = true;
        } else if (isOneOf(argument, {"-v", "--version"})) {
            options.version = true;
        } else if (isOneOf(argument, {"--dir", "-dir"})) {
            // The next argument is the folder, even when it starts with "-": a folder may.
            if (i + 1 < arguments.size())
                takeDir(arguments.at(++i));
            else
                takeDir(QString());
        } else if (argument.startsWith(dirWithValue)) {
            takeDir(argument.mid(dirWithValue.size()));
        } else if (argument.startsWith(QLatin1Char('-'))) {
            fail(QStringLiteral("未知的选项：") + argument);
        } else {
            fail(QStringLiteral("多余的参数：") + argument);
        }
    }
    return options;
}

QStringList CommandLine::withoutToolkitOptions(const QStringList &arguments)
{
    // The options of the toolkit, its platform plugins and its debugging aids; each may be
    // written with one dash or two.
    static const QStringList withValue{u"platform"_s,
                                       u"platformpluginpath"_s,
                                       u"platformtheme"_s,
                                       u"plugin"_s,
                                       u"qwindowgeometry"_s,
                                       u"qwindowicon"_s,
                                       u"qwindowtitle"_s,
                                       u"session"_s,
                                       u"display"_s,
                                       u"geometry"_s,
                                       u"title"_s,
                                       u"icon"_s,
                                       u"name"_s,
                                       u"visual"_s,
                                       u"style"_s,
                                       u"stylesheet"_s,
                                       u"qmljsdebugger"_s};
    static const QStringList flags{u"reverse"_s, u"widgetcount"_s, u"testability"_s, u"nograb"_s,
                                   u"dograb"_s,  u"qdevel"_s,      u"qdebug"_s};
    static const QStringList joined{u"style="_s, u"stylesheet="_s, u"qmljsdebugger="_s};
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        const QString option = argument.startsWith(u"--"_s) ? argument.mid(2)
                               : argument.startsWith(u'-')  ? argument.mid(1)
                                                            : QString();
        if (i == 0 || option.isEmpty()) {
            kept.append(argument);
        } else if (withValue.contains(option)) {
            ++i; // the value goes with its option, also when it is missing at the end
        } else if (!flags.contains(option) &&
                   std::none_of(joined.cbegin(), joined.cend(),
                                [&option](const QString &prefix) { return option.startsWith(prefix); })) {
            kept.append(argument);
        }
    }
    return kept;
}

QString CommandLine::helpText(const QString &perUserDir)
{
    return QStringLiteral(
               "用法：lgbatch [--dir 目录]\n"
               "%1 %2：脱机准备批量支付文件、代发工资文件和名册。\n"
               "\n"
               "  --dir 目录      以这个文件夹为程序目录：参考表、三个名册和它们的备份都在这里\n"
               "  -h, --help      显示这段说明\n"
               "  -v, --version   显示版本\n"
               "\n"
               "不给 --dir 时，程序所在的文件夹存有 BankCode.xml 并且可以写入，就以它为程序目录；\n"
               "否则用当前用户自己的程序目录 %3，\n"
               "第一次启动时放入随程序安装的参考表。\n"
               "\n"
               "不打开窗口、供脚本使用的命令：\n"
               "  lgbatch check [选项] 文件...        按窗口的规则检查银行文件\n"
               "  lgbatch convert 表格 --to zpk|payroll -o 输出文件 [选项]\n"
               "                                      把表格转换成批量支付文件或代发工资文件\n"
               "各命令的选项：lgbatch check --help、lgbatch convert --help\n")
        .arg(ApplicationState::baseTitle(), ProgramVersion.text(), perUserDir);
}

QString CommandLine::versionText()
{
    return ApplicationState::baseTitle() + QLatin1Char(' ') + ProgramVersion.text() + QLatin1Char('\n');
}

QString CommandLine::helpHint()
{
    return QStringLiteral("用 lgbatch --help 查看用法。\n");
}

} // namespace lgbatch
