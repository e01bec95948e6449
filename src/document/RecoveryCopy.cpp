#include "RecoveryCopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>
#include <atomic>

#include "PatternSession.h"
#include "engine/Threading.h"
#include "errors/ErrorReporter.h"
#include "model/Card.h"
#include "patternfile/PatternWriter.h"
#include "patternfile/SafeFile.h"

namespace tessaly {

namespace {

// A copy is its pattern (.kst), what Save cannot hold (.ini) and its lock (.lock).
QString FileOf(const QString& folder, const QString& id, const char* extension) {
    return folder + QLatin1Char('/') + id + QLatin1Char('.') + QLatin1String(extension);
}

// The draft as text, a card a line: its hole count, threading and colours.
QStringList DraftLines(const std::vector<DraftColumn>& draft) {
    QStringList lines;
    for (const DraftColumn& column : draft) {
        QStringList fields{QString::number(column.holes), QString::number(column.thread)};
        for (int hole = 0; hole < column.holes; ++hole)
            fields << QString::number(column.Color(hole));
        lines << fields.join(QLatin1Char(','));
    }
    return lines;
}

std::optional<std::vector<DraftColumn>> DraftFrom(const QStringList& lines) {
    std::vector<DraftColumn> draft;
    for (const QString& line : lines) {
        const QStringList fields = line.split(QLatin1Char(','));
        DraftColumn column;
        bool ok = fields.size() >= 2;
        column.holes = ok ? fields[0].toInt(&ok) : 0;
        if (!ok || column.holes < kMinHoles || column.holes > kMaxHoles ||
            fields.size() != 2 + column.holes)
            return std::nullopt;
        column.thread = fields[1].toInt() == SThread ? SThread : ZThread;
        column.colors.fill(Card::kNoThread);
        for (int hole = 0; hole < column.holes; ++hole)
            column.SetColor(hole, fields[2 + hole].toInt());
        draft.push_back(column);
    }
    return draft;
}

}  // namespace

QString RecoveryCopy::DefaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/recovery");
}

std::vector<RecoveryCopy::LeftBehind> RecoveryCopy::FindLeftBehind(const QString& folder) {
    std::vector<LeftBehind> found;
    for (const QFileInfo& pattern :
         QDir(folder).entryInfoList({QStringLiteral("*.kst")}, QDir::Files)) {
        const QString id = pattern.completeBaseName();
        // a copy whose lock someone holds belongs to a running Tessaly
        QLockFile lock(FileOf(folder, id, "lock"));
        if (!lock.tryLock(0)) continue;
        const QSettings about(FileOf(folder, id, "ini"), QSettings::IniFormat);
        found.push_back({id, about.value("name").toString(), about.value("original").toString(),
                         about.value("written").toDateTime()});
    }
    std::sort(found.begin(), found.end(),
              [](const LeftBehind& a, const LeftBehind& b) { return a.written > b.written; });
    return found;
}

std::optional<WindowValues> RecoveryCopy::Recover(const QString& folder, const QString& id,
                                                  PatternSession& session) {
    QLockFile lock(FileOf(folder, id, "lock"));
    if (!lock.tryLock(0)) return std::nullopt;
    const QSettings about(FileOf(folder, id, "ini"), QSettings::IniFormat);
    std::optional<WindowValues> places = session.Open(FileOf(folder, id, "kst").toStdString());
    if (!places) return std::nullopt;
    // unsaved work of its own file, as it stood
    PatternDocument& document = session.Document();
    document.SetPatternPath(about.value("original").toString().toStdString());
    document.SetTurnSequence(about.value("sequence").toString().toStdString());
    if (const auto draft = DraftFrom(about.value("draft").toStringList()); draft && !draft->empty())
        document.SetDraft(*draft);
    session.SetPatternChanged(true);
    return places;
}

void RecoveryCopy::Discard(const QString& folder, const QString& id) {
    QLockFile lock(FileOf(folder, id, "lock"));
    if (!lock.tryLock(0)) return;  // another Tessaly's
    for (const char* extension : {"kst", "ini"}) QFile::remove(FileOf(folder, id, extension));
}

RecoveryCopy::RecoveryCopy(QString folder) : folder_(std::move(folder)) {
    // unique among the program's copies, and among programs
    static std::atomic<int> made{0};
    id_ = QStringLiteral("%1-%2-%3")
              .arg(QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddhhmmsszzz")))
              .arg(QCoreApplication::applicationPid())
              .arg(++made);
    QDir().mkpath(folder_);
    lock_ = std::make_unique<QLockFile>(Path("lock"));
    lock_->setStaleLockTime(0);  // held as long as the program runs
    lock_->tryLock(0);
}

RecoveryCopy::~RecoveryCopy() { FinishWriting(); }

QString RecoveryCopy::Path(const char* extension) const { return FileOf(folder_, id_, extension); }

void RecoveryCopy::FinishWriting() {
    if (!writing_.valid()) return;
    // a pattern Save would refuse is told here, on the thread that may show it
    if (const std::exception_ptr refused = writing_.get())
        Trap("basMain", "SaveRecoveryCopy", [&] { std::rethrow_exception(refused); });
}

void RecoveryCopy::Write(const PatternSession& session, const WindowValues& windows, bool wait) {
    Trap("basMain", "SaveRecoveryCopy", [&] {
        const PatternDocument& document = session.Document();
        QSettings about(Path("ini"), QSettings::IniFormat);
        about.setValue("name", QString::fromStdString(document.BandName()));
        about.setValue("original", QString::fromStdString(document.PatternPath()));
        about.setValue("written", QDateTime::currentDateTime());
        about.setValue("sequence", QString::fromStdString(document.TurnSequence()));
        about.setValue("draft",
                       document.DraftNotApplied() ? DraftLines(document.Draft()) : QStringList());
        about.sync();
        FinishWriting();
        // the band as shown, as Save writes it: the rows the file holds are copied here, so
        // weaving goes on while a worker makes the text (checked by reading it back) and
        // writes it
        const std::string sequence = document.StoredSequence();
        Band rows;
        if (sequence.empty()) {
            rows = document.CurrentBand().Copy();
        } else if (document.CurrentBand().Count() > 0) {
            rows.Add(document.CurrentBand().At(1).Cards(), 1);
        }
        PatternTexts texts{document.BandName(), sequence, windows};
        writing_ = std::async(
            std::launch::async,
            [path = Path("kst").toStdString(), texts = std::move(texts), extras = document.Extras(),
             rows = std::move(rows)]() -> std::exception_ptr {
                std::string text;
                try {
                    text = PatternWriter::FormatForSaving(texts, rows, extras);
                } catch (...) {
                    return std::current_exception();
                }
                // a copy that cannot be written is tried again at the next change
                try {
                    WriteFileAtomically(path, text);
                } catch (...) {
                }
                return nullptr;
            });
        if (wait) FinishWriting();
    });
}

void RecoveryCopy::Remove() {
    FinishWriting();
    for (const char* extension : {"kst", "ini"}) QFile::remove(Path(extension));
}

bool RecoveryCopy::Exists() const { return QFileInfo::exists(Path("kst")); }

}  // namespace tessaly
