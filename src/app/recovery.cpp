#include "app/recovery.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>
#include <QStringDecoder>
#include <algorithm>

#include "platform/configstore.h"

namespace {

const char *const EncodingNames[] = {"UTF-8", "Windows-1252", "UTF-16LE", "UTF-16BE"};
const char *const LineEndNames[] = {"CRLF", "LF", "CR", "PS"};

QString TextFile(const QString &folder, const QString &baseName)
{
    return folder + u'/' + baseName + QStringLiteral(".txt");
}

QString RecordFile(const QString &folder, const QString &baseName)
{
    return folder + u'/' + baseName + QStringLiteral(".rec");
}

QString LockFile(const QString &folder, const QString &instance)
{
    return folder + u'/' + instance + QStringLiteral(".lock");
}

// "<instance>-<serial>" -> "<instance>".
QString InstanceOf(const QString &baseName)
{
    const int dash = baseName.lastIndexOf(u'-');
    return dash > 0 ? baseName.left(dash) : QString();
}

bool WriteAtomically(const QString &fileName, const QByteArray &bytes, QString &error)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

template <size_t N>
int IndexOfName(const char *const (&names)[N], const QByteArray &value)
{
    for (size_t i = 0; i < N; ++i)
        if (value == names[i])
            return int(i);
    return -1;
}

} // namespace

QByteArray SerializeRecoveryRecord(const TRecoveryRecord &record)
{
    QByteArray out;
    out += "Path=" + record.Path.toUtf8().toPercentEncoding() + '\n';
    out += QByteArray("Encoding=") + EncodingNames[record.Encoding] + '\n';
    out += QByteArray("ByteOrderMark=") + (record.ByteOrderMark ? "1" : "0") + '\n';
    out += QByteArray("LineEnd=") + LineEndNames[record.LineEnd] + '\n';
    out += "Caret=" + QByteArray::number(record.Caret) + '\n';
    out += "TabOrder=" + QByteArray::number(record.TabOrder) + '\n';
    out += "Time=" + record.Time.toUTC().toString(Qt::ISODateWithMs).toUtf8() + '\n';
    out += "TextBytes=" + QByteArray::number(record.TextBytes) + '\n';
    return out;
}

bool ParseRecoveryRecord(const QByteArray &data, TRecoveryRecord &record, QString &error)
{
    record = TRecoveryRecord();
    bool any = false;
    QStringList bad;
    for (const QByteArray &line : data.split('\n')) {
        const int eq = line.indexOf('=');
        if (eq <= 0)
            continue;
        const QByteArray name = line.left(eq).trimmed();
        const QByteArray value = line.mid(eq + 1).trimmed();
        bool ok = true;
        if (name == "Path") {
            const QByteArray raw = QByteArray::fromPercentEncoding(value);
            auto decode = QStringDecoder(QStringDecoder::Utf8);
            record.Path = decode(raw);
            ok = !decode.hasError();
        } else if (name == "Encoding") {
            const int i = IndexOfName(EncodingNames, value);
            ok = i >= 0;
            if (ok)
                record.Encoding = TTextEncoding(i);
        } else if (name == "ByteOrderMark") {
            ok = value == "0" || value == "1";
            record.ByteOrderMark = value == "1";
        } else if (name == "LineEnd") {
            const int i = IndexOfName(LineEndNames, value);
            ok = i >= 0 && i != lePS;
            if (ok)
                record.LineEnd = TLineEnd(i);
        } else if (name == "Caret") {
            record.Caret = value.toInt(&ok);
            ok = ok && record.Caret >= 0;
        } else if (name == "TabOrder") {
            record.TabOrder = value.toInt(&ok);
        } else if (name == "Time") {
            record.Time = QDateTime::fromString(QString::fromLatin1(value), Qt::ISODateWithMs);
            ok = record.Time.isValid();
        } else if (name == "TextBytes") {
            record.TextBytes = value.toLongLong(&ok);
        } else {
            continue; // a value a later version added
        }
        any = true;
        if (!ok)
            bad << QString::fromLatin1(name);
    }
    if (!any) {
        error = QStringLiteral("the record holds nothing that can be read");
        return false;
    }
    if (!bad.isEmpty()) {
        error = QStringLiteral("the record's %1 cannot be read").arg(bad.join(QStringLiteral(", ")));
        return false;
    }
    return true;
}

QString RecoveryFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/recovery");
}

QString NewRecoveryInstance()
{
    return QStringLiteral("%1_%2").arg(QCoreApplication::applicationPid()).arg(QDateTime::currentMSecsSinceEpoch());
}

bool WriteRecoveryCopy(const QString &folder, const QString &baseName, const QString &text,
                       TRecoveryRecord record, QString &error)
{
    if (!QDir().mkpath(folder)) {
        error = QStringLiteral("cannot create %1").arg(folder);
        return false;
    }
    // The text goes first: a copy cut short between the two writes has the new text whole
    // beside the record of the one before.
    const QByteArray bytes = text.toUtf8();
    record.TextBytes = bytes.size();
    return WriteAtomically(TextFile(folder, baseName), bytes, error) &&
           WriteAtomically(RecordFile(folder, baseName), SerializeRecoveryRecord(record), error);
}

void RemoveRecoveryCopy(const QString &folder, const QString &baseName)
{
    QFile::remove(RecordFile(folder, baseName));
    QFile::remove(TextFile(folder, baseName));
}

QList<TRecoveredDocument> FindStaleRecovery(const QString &folder, const QString &own,
                                            std::vector<std::unique_ptr<QLockFile>> &claimed)
{
    QList<TRecoveredDocument> found;
    const QDir dir(folder);
    QStringList bases;
    for (const QFileInfo &fi : dir.entryInfoList({QStringLiteral("*.txt"), QStringLiteral("*.rec")}, QDir::Files)) {
        if (!bases.contains(fi.completeBaseName()))
            bases << fi.completeBaseName();
    }
    QSet<QString> stale, live;
    for (const QString &base : bases) {
        const QString instance = InstanceOf(base);
        if (instance.isEmpty() || instance == own || live.contains(instance))
            continue;
        if (!stale.contains(instance)) {
            auto lock = std::make_unique<QLockFile>(LockFile(folder, instance));
            lock->setStaleLockTime(0); // stale only when its process has gone
            if (!lock->tryLock(0)) {
                live.insert(instance);
                continue;
            }
            stale.insert(instance);
            claimed.push_back(std::move(lock));
        }
        TRecoveredDocument doc;
        doc.BaseName = base;
        QStringList notes;
        QFile record(RecordFile(folder, base));
        if (!record.exists()) {
            notes << QStringLiteral("its record is missing");
        } else if (!record.open(QIODevice::ReadOnly)) {
            notes << QStringLiteral("its record cannot be read (%1)").arg(record.errorString());
        } else {
            QString error;
            doc.HasRecord = ParseRecoveryRecord(record.readAll(), doc.Record, error);
            if (!doc.HasRecord)
                notes << error;
        }
        QFile text(TextFile(folder, base));
        if (!text.exists()) {
            notes << QStringLiteral("its text is missing");
        } else if (!text.open(QIODevice::ReadOnly)) {
            notes << QStringLiteral("its text cannot be read (%1)").arg(text.errorString());
        } else {
            const QByteArray bytes = text.readAll();
            auto decode = QStringDecoder(QStringDecoder::Utf8);
            doc.Text = decode(bytes);
            if (decode.hasError()) {
                // Whatever the bytes are, they come back as characters.
                doc.Text = QString::fromLatin1(bytes);
                notes << QStringLiteral("its text is not UTF-8 and was read byte by byte");
            }
            if (doc.HasRecord && doc.Record.TextBytes >= 0 && doc.Record.TextBytes != bytes.size())
                notes << QStringLiteral("its text is %1 bytes, its record says %2: it may be incomplete")
                             .arg(bytes.size()).arg(doc.Record.TextBytes);
        }
        doc.Text = NormalizeLineBreaks(doc.Text);
        doc.Note = notes.join(QStringLiteral("; "));
        found << doc;
    }
    std::stable_sort(found.begin(), found.end(), [](const TRecoveredDocument &a, const TRecoveredDocument &b) {
        if (a.Record.TabOrder != b.Record.TabOrder)
            return a.Record.TabOrder < b.Record.TabOrder;
        return a.BaseName < b.BaseName;
    });
    return found;
}

void DiscardRecovery(const QString &folder, const QList<TRecoveredDocument> &documents,
                     std::vector<std::unique_ptr<QLockFile>> &claimed)
{
    for (const TRecoveredDocument &doc : documents)
        RemoveRecoveryCopy(folder, doc.BaseName);
    const QDir dir(folder);
    for (auto &lock : claimed) {
        const QString instance = QFileInfo(lock->fileName()).completeBaseName();
        const bool left = !dir.entryList({instance + QStringLiteral("-*")}, QDir::Files).isEmpty();
        if (!left)
            lock->unlock(); // removes the lock file
    }
}

void TRecoverySettings::Load()
{
    const QString key = PendwickKey(u"Recovery");
    Enabled = ConfigStore::ReadBool(key, QStringLiteral("Enabled"), true);
    IntervalSeconds = std::max(1, ConfigStore::ReadInt(key, QStringLiteral("IntervalSeconds"), 30));
}
