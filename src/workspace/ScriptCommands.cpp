#include "ScriptCommands.h"

#include "FileCheck.h"
#include "SheetConvert.h"
#include "Workspace.h"

#include "core/ApplicationState.h"
#include "core/FieldText.h"
#include "core/GbkCodec.h"

#include <QDir>

namespace lgbatch::ScriptCommands {

using namespace Qt::StringLiterals;

namespace {

constexpr int Success = 0;
constexpr int RowErrors = 1;
constexpr int Failure = 2;

struct Options
{
    bool help = false;
    bool json = false;
    Edition edition = Edition::Corporate;
    std::optional<QString> dir;
    QStringList files;
    // convert only
    std::optional<Workspace::List> to;
    QString out;
    QList<std::pair<QString, QString>> columns;
    QList<std::pair<QString, QString>> texts;
    std::optional<int> headerRow;
    std::optional<QDate> date;
    QString error; // the first mistake of the line
};

// The options and the files of a command's line; `convert` takes its own options too.
Options parse(const QStringList &arguments, bool convert)
{
    Options options;
    const auto fail = [&options](const QString &text) {
        if (options.error.isEmpty())
            options.error = text;
    };
    bool filesOnly = false;
    for (qsizetype i = 2; i < arguments.size(); ++i) {
        QString argument = arguments.at(i);
        if (filesOnly || !argument.startsWith(u'-') || argument == u"-") {
            options.files.append(argument);
            continue;
        }
        if (argument == u"--") {
            filesOnly = true;
            continue;
        }
        if (argument == u"-h" || argument == u"--help" || argument == u"/?") {
            options.help = true;
            continue;
        }
        if (argument == u"--json") {
            options.json = true;
            continue;
        }
        // Every other option has a value: "--name value" or "--name=value".
        QString name = argument;
        std::optional<QString> value;
        if (const qsizetype equals = argument.indexOf(u'='); equals > 0 && argument.startsWith(u"--")) {
            name = argument.left(equals);
            value = argument.mid(equals + 1);
        }
        static const QStringList common{u"--dir"_s, u"--edition"_s};
        static const QStringList ofConvert{u"--to"_s,         u"-o"_s,    u"--output"_s, u"--map"_s,
                                           u"--header-row"_s, u"--set"_s, u"--date"_s};
        if (!common.contains(name) && !(convert && ofConvert.contains(name))) {
            fail(u"未知的选项："_s + argument);
            continue;
        }
        if (!value) {
            if (i + 1 >= arguments.size()) {
                fail(u"选项 %1 后面缺少值"_s.arg(name));
                continue;
            }
            value = arguments.at(++i);
        }
        const auto pairOf = [&](const QString &text) -> std::optional<std::pair<QString, QString>> {
            const qsizetype equals = text.indexOf(u'=');
            if (equals <= 0) {
                fail(u"选项 %1 的值应为 列名=值：%2"_s.arg(name, text));
                return std::nullopt;
            }
            return std::pair{text.left(equals).trimmed(), text.mid(equals + 1).trimmed()};
        };
        if (name == u"--dir") {
            if (options.dir)
                fail(u"选项 --dir 只能给一次"_s);
            else if (value->isEmpty())
                fail(u"选项 --dir 后面缺少目录"_s);
            options.dir = *value;
        } else if (name == u"--edition") {
            if (*value == u"corporate")
                options.edition = Edition::Corporate;
            else if (*value == u"personal")
                options.edition = Edition::Personal;
            else
                fail(u"选项 --edition 只能是 corporate 或 personal：%1"_s.arg(*value));
        } else if (name == u"--to") {
            if (*value == u"zpk")
                options.to = Workspace::List::Batch;
            else if (*value == u"payroll")
                options.to = Workspace::List::Payroll;
            else
                fail(u"选项 --to 只能是 zpk 或 payroll：%1"_s.arg(*value));
        } else if (name == u"-o" || name == u"--output") {
            if (!options.out.isEmpty())
                fail(u"输出文件只能给一个"_s);
            options.out = *value;
        } else if (name == u"--map") {
            if (const auto pair = pairOf(*value))
                options.columns.append(*pair);
        } else if (name == u"--set") {
            if (const auto pair = pairOf(*value))
                options.texts.append(*pair);
        } else if (name == u"--header-row") {
            bool ok = false;
            const int row = value->toInt(&ok);
            if (!ok || row < 0)
                fail(u"选项 --header-row 应为行号（0 表示没有表头）：%1"_s.arg(*value));
            options.headerRow = row;
        } else if (name == u"--date") {
            const QDate date = QDate::fromString(*value, Qt::ISODate);
            if (!date.isValid() || value->size() != 10)
                fail(u"选项 --date 应为 YYYY-MM-DD 格式的日期：%1"_s.arg(*value));
            options.date = date;
        }
    }
    if (options.help)
        return options;
    if (convert) {
        if (options.files.size() != 1)
            fail(options.files.isEmpty() ? u"缺少要转换的表格"_s
                                         : u"多余的参数："_s + options.files.value(1));
        if (!options.to)
            fail(u"缺少选项 --to zpk|payroll"_s);
        if (options.out.isEmpty())
            fail(u"缺少选项 -o 输出文件"_s);
    } else if (options.files.isEmpty()) {
        fail(u"缺少要检查的文件"_s);
    }
    return options;
}

QString checkHelp()
{
    return u"用法：lgbatch check [--dir 目录] [--edition corporate|personal] [--json] 文件...\n"
           "按窗口的读取和 增加 的规则检查银行文件的每一行：*.zpk、*.bpt、代发工资文件 *.csv（连同它的\n"
           "检验文件 *.csv.checksum）、bene.xml、payer.xml、benepayroll.xml。\n"
           "\n"
           "  --dir 目录        程序目录（参考表），规则同窗口程序\n"
           "  --edition 版本    corporate（企业版，默认）或 personal（个人版）\n"
           "  --json            每个文件输出一行 JSON：file、kind、rows、total、errors、warnings、readable\n"
           "  -h, --help        显示这段说明\n"
           "\n"
           "每个问题一行：文件:行号: 信息；然后每个文件一行：文件: N笔，合计金额，E处错误，W处提醒。\n"
           "重复的付款是提醒，不是错误。\n"
           "退出状态：0 没有错误；1 有行出错；2 有文件无法读取或命令行有误。\n"_s;
}

QString convertHelp()
{
    return u"用法：lgbatch convert 表格 --to zpk|payroll -o 输出文件 [--map 列=表格列]... [--set "
           u"列=文字]...\n"
           "                      [--header-row N] [--date YYYY-MM-DD] [--edition corporate|personal]\n"
           "                      [--dir 目录] [--json]\n"
           "把表格（*.xlsx 的第一个工作表，或 *.csv、*.txt）转换成批量支付文件（zpk）或代发工资文件\n"
           "（payroll，连同检验文件 输出文件.checksum），字节与窗口程序导入后保存的相同。\n"
           "每一行都按 从表格导入 的规则检查：有一行出错就什么也不写，已有的输出文件保持原样。\n"
           "\n"
           "  --to zpk|payroll     要生成的文件\n"
           "  -o, --output 文件    输出文件，成功时整体替换\n"
           "  --map 列=表格列      列表的列（如 收款人账号）取自表格的列：字母（C）或表头文字（账号）；\n"
           "                       不给时用 lgbatch.ini 中为这个表头保存的对应，或按表头猜出的对应\n"
           "  --set 列=文字        没有表格列的列每行都取这段文字，如 --set 付款人名称=某某公司\n"
           "  --header-row N       第 N 行是表头，数据从下一行开始；0 表示没有表头\n"
           "  --date YYYY-MM-DD    批量文件的日期、代发工资的转账日期（默认今天）\n"
           "  --edition 版本       corporate（企业版，默认）或 personal（个人版）\n"
           "  --dir 目录           程序目录（参考表和 lgbatch.ini），规则同窗口程序\n"
           "  --json               输出一行 JSON，同 check，另有 output（写出的文件，或 null）\n"
           "  -h, --help           显示这段说明\n"
           "\n"
           "退出状态：0 已写出；1 有行出错，什么也没写；2 表格无法读取、无法写出或命令行有误。\n"_s;
}

// The program directory as the window finds it, with its tables read.
struct Setup
{
    ApplicationState state;
    std::unique_ptr<Workspace> workspace;
};

std::optional<QString> prepare(Setup &setup, const Options &options, const PlacesOf &placesOf)
{
    if (!GbkCodec::isAvailable())
        return u"系统缺少GBK字符集转换，无法读写数据文件！"_s;
    const Result<ProgramDirectory::Plan> plan = ProgramDirectory::choose(placesOf(options.dir));
    if (!plan)
        return plan.error();
    if (const Status prepared = ProgramDirectory::prepare(*plan); !prepared)
        return u"无法准备程序目录 %1！"_s.arg(QDir::toNativeSeparators(plan->dir)) +
               ErrorMessage::ofReader(prepared.errorInfo());
    setup.state.chooseEdition(options.edition);
    setup.workspace = std::make_unique<Workspace>(setup.state, plan->dir);
    setup.workspace->InitCheckDigitWeights();
    if (const Status loaded = setup.workspace->loadReferenceTables(); !loaded)
        return loaded.error();
    return std::nullopt;
}

int check(const Options &options, Setup &setup, const Output &output)
{
    int status = Success;
    for (const QString &file : options.files) {
        const FileReport report = checkBankFile(*setup.workspace, file, file);
        output(Console::Stream::Output, options.json ? reportJson(report) : reportText(report));
        if (!report.readable)
            status = Failure;
        else if (!report.errors.isEmpty() && status == Success)
            status = RowErrors;
    }
    return status;
}

int convert(const Options &options, Setup &setup, const Output &output, QDate today)
{
    SheetConversion conversion;
    conversion.sheetPath = options.files.first();
    conversion.shownName = conversion.sheetPath;
    conversion.list = *options.to;
    conversion.outPath = options.out;
    conversion.columns = options.columns;
    conversion.texts = options.texts;
    conversion.headerRow = options.headerRow;
    conversion.date = options.date.value_or(today);
    const ConversionResult result = convertSheet(*setup.workspace, conversion);
    const std::optional<QString> written =
        result.outputWritten ? std::optional<QString>(options.out) : std::nullopt;
    if (options.json) {
        output(Console::Stream::Output, conversionJson(result.report, written));
    } else {
        QString text = reportText(result.report);
        if (written)
            text += conversion.list == Workspace::List::Payroll
                        ? u"已写出 %1 和 %1.checksum\n"_s.arg(options.out)
                        : u"已写出 %1\n"_s.arg(options.out);
        output(Console::Stream::Output, text);
    }
    if (result.setupFailed)
        return Failure;
    return result.report.errors.isEmpty() ? Success : RowErrors;
}

} // namespace

bool isCommand(const QStringList &arguments)
{
    return arguments.size() > 1 && (arguments.at(1) == u"check" || arguments.at(1) == u"convert");
}

int run(const QStringList &arguments, const PlacesOf &placesOf, const Output &output, QDate today)
{
    const bool converting = arguments.value(1) == u"convert";
    const Options options = parse(arguments, converting);
    if (options.help) {
        output(Console::Stream::Output, converting ? convertHelp() : checkHelp());
        return Success;
    }
    if (!options.error.isEmpty()) {
        output(Console::Stream::Error,
               options.error + u"\n用 lgbatch %1 --help 查看用法。\n"_s.arg(arguments.value(1)));
        return Failure;
    }
    Setup setup;
    if (const std::optional<QString> failure = prepare(setup, options, placesOf)) {
        output(Console::Stream::Error, *failure + u'\n');
        return Failure;
    }
    return converting ? convert(options, setup, output, today) : check(options, setup, output);
}

} // namespace lgbatch::ScriptCommands
