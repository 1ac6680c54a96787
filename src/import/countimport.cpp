#include "countimport.h"

#include "importlookups.h"
#include "importrecord.h"
#include "importstaging.h"
#include "importvalidator.h"

#include "host/appconnection.h"
#include "host/hostcomponents.h"
#include "host/hostui.h"
#include "host/logging.h"
#include "host/sharedstate.h"
#include "host/sysparams.h"
#include "host/texts.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const char *const kInvalidFile = "引入Excel文件不合法，请确认!";
constexpr int BatchRecords = 100;

// A caption as the template wants it, in the source language or the user's.
bool captionIs(const QString &caption, const char *expected)
{
    return caption == QString::fromUtf8(expected) || caption == LoadText(expected);
}

QString lineList(const QList<int> &lines)
{
    QStringList parts;
    for (int l : lines)
        parts << QString::number(l);
    return parts.join(QStringLiteral("、"));
}

QString summaryOf(const ImportStaging::Result &r, int uncounted)
{
    QString text;
    if (r.duplicateRecords > 0) {
        text += LoadText("数据导入失败[") + QString::number(r.duplicateRecords) +
                LoadText("]笔，原因[重复], 明细如下：") + u'\n';
        int i = 0;
        for (const ImportStaging::Duplicate &d : r.duplicates)
            text += u'[' + QString::number(++i) + LoadText("]行号[") + lineList(d.lines) + LoadText("]物料代码[") +
                    d.number + LoadText("]物料名称[") + d.name + QStringLiteral("]\n");
    }
    if (r.merged > 0)
        text += LoadText("数据导入成功[") + QString::number(r.merged) + LoadText("]笔!") + u'\n';
    if (uncounted > 0) // lines of the sheet nobody counted: they change nothing
        text += FormatText("未填盘点数量[%1]笔，未引入。", {uncounted}) + u'\n';
    return text + LoadText("数据引入完毕!");
}

} // namespace

CountImport::CountImport(AppConnection &connection, const Options &options)
    : m_c(connection)
    , m_options(options)
{}

QString CountImport::stagingName() const
{
    return QStringLiteral("IcInvBackUpTemp_%1_%2")
        .arg(m_options.operatorId)
        .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyMMddhhmmss")));
}

bool CountImport::readCaptions(SheetReader &reader, Outcome *out)
{
    QList<QVariant> captions;
    if (!reader.readLine(&captions)) {
        out->message = LoadText(kInvalidFile);
        if (!reader.error().isEmpty())
            out->message += u'\n' + reader.error();
        return false;
    }
    out->read = true;
    const QString caption = captions.value(10).toString().trimmed();
    if (m_options.mtoMode) {
        if (!captionIs(QString(caption).replace(u'_', u'.'), "计划跟踪号")) {
            out->message = LoadText("引入Excel文件不合法，第11列不是计划跟踪号，请确认!");
            return false;
        }
    } else if (!captionIs(caption, "生产/采购日期")) {
        out->message = LoadText("引入Excel文件不合法，第11列不是生产/采购日，请确认!");
        return false;
    }
    return true;
}

CountImport::Outcome CountImport::run(const QString &path)
{
    Outcome out;
    QString error;
    std::unique_ptr<SheetReader> reader = SheetReader::open(path, &error, m_options.limits);
    if (!reader) {
        // a file that is not there is said as such; one that cannot be read gets the reason
        out.message = QFileInfo(path).isFile() ? LoadText(kInvalidFile) + u'\n' + error : error;
        return out;
    }
    if (!readCaptions(*reader, &out))
        return out;
    QList<QVariant> cells;
    if (!reader->readLine(&cells)) { // captions only: nothing to import
        out.message = LoadText(kInvalidFile);
        if (!reader->error().isEmpty())
            out.message += u'\n' + reader->error();
        return out;
    }
    try {
        ImportLookups lookups;
        lookups.load(m_c, m_options.useFullNumber);
        const Recordset process = m_c.ExecuteRaiseErr(
            QStringLiteral("SELECT FMaxBillInterID FROM ICStockCheckProcess WHERE FID = ?"), {m_options.processId});
        const ImportStaging::Context context{m_options.processId, m_options.operatorId,
                                             process.isEmpty() ? 0 : process.Fields(0).toInt(),
                                             QDateTime::currentDateTime(), QFileInfo(path).fileName()};
        ImportStaging staging(m_c, stagingName(), context);
        staging.create();
        const ImportValidator validator(lookups, m_options.mtoMode);
        int record = 0;
        do {
            if (record > 0 && record % BatchRecords == 0)
                staging.flush();
            const ImportRecord r = ImportRecord::read(cells, ++record, m_options.mtoMode);
            StagedRow row;
            const QString problem = validator.check(r, &row);
            if (!problem.isEmpty())
                out.errors << problem;
            else if (!r.counted)
                ++out.uncounted;
            else
                staging.add(row);
        } while (reader->readLine(&cells));
        if (!reader->error().isEmpty()) { // a file that breaks off half way is not merged in part
            out.status = Outcome::Status::Refused;
            out.errors.clear();
            out.message = LoadText(kInvalidFile) + u'\n' + reader->error();
            return out;
        }
        const ImportStaging::Result merged = staging.merge();
        for (int n : merged.directionErrors)
            out.errors << FormatText("第%1条记录基本单位与辅助计量单位盘盈盘亏方向不一致!", {n});
        for (int n : merged.recounted)
            out.errors << FormatText("第%1条记录已经复盘，实存数量以复盘数量为准，没有引入。", {n});
        out.merged = merged.merged;
        out.duplicates = merged.duplicateRecords;
        out.batches = staging.batchCount();
        out.status = Outcome::Status::Done;
        if (out.errors.isEmpty())
            out.summary = summaryOf(merged, out.uncounted);
    } catch (const DbException &e) {
        out.status = Outcome::Status::Failed;
        out.errors.clear();
        out.message = FormatText("引入失败，盘点数据没有改变：%1", {e.error().message});
        out.details = e.error().detailed();
    }
    return out;
}

namespace countimport {

namespace {

CountImport::Outcome runShared(const QString &path, int processId)
{
    SharedState &s = shared();
    CountImport::Options options;
    options.processId = processId;
    options.operatorId = s.operatorId;
    options.useFullNumber = s.useFullNumber;
    options.mtoMode = s.enableMtoPlanMode == 1;
    if (s.ui)
        s.ui->setBusy(true);
    CountImport::Outcome out = CountImport(*s.connection, options).run(path);
    if (s.ui)
        s.ui->setBusy(false);
    return out;
}

void showErrors(const QStringList &errors)
{
    HostUi *ui = shared().ui;
    if (!ui || errors.isEmpty())
        return;
    QList<QStringList> rows;
    for (const QString &e : errors)
        rows << QStringList{e};
    ui->showList(LoadText("引入错误提示"), {LoadText("错误原因")}, {7800}, rows);
}

} // namespace

bool ImportData(const QString &path, int processId)
{
    SharedState &s = shared();
    if (!s.connection)
        return false;
    LogBracket log(QStringLiteral("N5StockCheck.frmMain.ImportData"));
    s.enableMtoPlanMode = ReadEnableMtoPlanMode();
    const QDateTime start = QDateTime::currentDateTime();
    const CountImport::Outcome out = runShared(path, processId);
    HostUi *ui = s.ui;
    switch (out.status) {
    case CountImport::Outcome::Status::Refused:
    case CountImport::Outcome::Status::Failed:
        if (ui)
            ui->message(out.message, HostUi::Icon::Information, out.details);
        return out.read;
    case CountImport::Outcome::Status::Done:
        break;
    }
    showErrors(out.errors);
    if (s.isTest) {
        QFile file(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("TestTime.txt")));
        if (file.open(QIODevice::Append | QIODevice::Text)) {
            const QString format = QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz");
            file.write((start.toString(format) + u'\t' + QDateTime::currentDateTime().toString(format) + u'\t' +
                        QDir::toNativeSeparators(path) + u'\n')
                           .toUtf8());
        }
    } else if (out.errors.isEmpty() && ui) {
        ui->message(out.summary, HostUi::Icon::Information);
    }
    log.end(0);
    return true;
}

void TestImport(const QString &path)
{
    SharedState &s = shared();
    if (!s.connection)
        return;
    const Recordset rs = s.connection->Execute(
        QStringLiteral("SELECT a.FID FROM ICStockCheckProcess a JOIN t_user b ON a.FOperatorID = b.FUserID"
                       " WHERE a.FStatus = 0 AND a.FOperatorID = ? ORDER BY a.FID"),
        {s.operatorId});
    if (!rs.isOpen() || rs.isEmpty()) {
        if (s.ui)
            s.ui->message(s.connection->lastError().isError() ? s.connection->lastError().message
                                                              : LoadText("没有可引入的盘点方案。"),
                          HostUi::Icon::Information);
        return;
    }
    s.useFullNumber = true;
    ImportData(path, rs.value(rs.RecordCount() - 1, 0).toInt());
}

void registerOperation(WindowRegistry &windows)
{
    windows.add(QStringLiteral("CountImport"), [](const QVariantMap &args) {
        const bool read =
            ImportData(args.value(QStringLiteral("Path")).toString(), args.value(QStringLiteral("ProcID")).toInt());
        return QVariantMap{{QStringLiteral("Read"), read}};
    });
}

} // namespace countimport
