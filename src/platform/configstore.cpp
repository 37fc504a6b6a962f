#include "platform/configstore.h"

#include <limits>
#include <memory>
#include <optional>

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QMutex>
#include <QSaveFile>
#include <QStandardPaths>
#include <QThread>

#if defined(Q_OS_LINUX)
#include <sys/stat.h>
#endif

// File layout: one section per key, "[Software\Pendwick\MainForm]", followed by lines
// "name=value". Backslashes separate the components of a section's path; components
// cannot contain one, so the header only percent-encodes '%' and control characters.
// Names and values use backslash escapes:
//   \\  \n  \r  \t      backslash, line feed, carriage return, tab
//   \s                  a space (written for a leading or trailing one, as blanks around
//                       the text are dropped when reading so hand-edited "a = b" works)
//   \=                  '=' in a name (the first unescaped '=' ends the name)
//   \[ \; \#            at the start of a name, which would otherwise read as a section
//                       header or comment
//   \uXXXX              other control characters and unpaired surrogates
// Everything else, non-ASCII text included, is written as UTF-8.

namespace {

constexpr QChar PathSeparator = u'\\';

struct Entry
{
    QString name; // spelled as first written
    QString text;
};

struct Section
{
    QString path; // normalised, spelled as first written; "" is the root key
    QList<Entry> entries;
};

bool SameText(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// True when `path` is `key` itself or lies below it.
bool IsSameOrBelow(QStringView path, QStringView key)
{
    if (key.isEmpty())
        return true;
    if (path.size() < key.size() || !SameText(path.left(key.size()), key))
        return false;
    return path.size() == key.size() || path.at(key.size()) == PathSeparator;
}

// Drops empty components, so "\\A\\\\B\\" becomes "A\B".
QString NormalisePath(QStringView path)
{
    QStringList parts;
    for (QStringView part : path.split(PathSeparator, Qt::SkipEmptyParts))
        parts.append(part.toString());
    return parts.join(PathSeparator);
}

// The whole file as read: sections and entries in file order.
struct Document
{
    QList<Section> sections;

    qsizetype IndexOf(QStringView path) const
    {
        for (qsizetype i = 0; i < sections.size(); ++i)
            if (SameText(sections[i].path, path))
                return i;
        return -1;
    }

    const Entry *Find(QStringView path, QStringView name) const
    {
        const qsizetype s = IndexOf(path);
        if (s < 0)
            return nullptr;
        for (const Entry &e : sections[s].entries)
            if (SameText(e.name, name))
                return &e;
        return nullptr;
    }

    bool KeyExists(QStringView path) const
    {
        for (const Section &s : sections)
            if (IsSameOrBelow(s.path, path))
                return true;
        return false;
    }

    // A new key takes the spelling of the longest ancestor already in the file, so
    // "SOFTWARE\PENDWICK\New" lands beside "Software\Pendwick\Old" as "Software\Pendwick\New".
    QString SpelledLikeExisting(const QString &path) const
    {
        QStringList parts = path.split(PathSeparator);
        qsizetype best = 0;
        QStringList bestParts;
        for (const Section &s : sections) {
            const QStringList other = s.path.split(PathSeparator, Qt::SkipEmptyParts);
            qsizetype n = 0;
            while (n < parts.size() && n < other.size() && SameText(parts[n], other[n]))
                ++n;
            if (n > best) {
                best = n;
                bestParts = other;
            }
        }
        for (qsizetype i = 0; i < best; ++i)
            parts[i] = bestParts[i];
        return parts.join(PathSeparator);
    }

    Section &Obtain(const QString &path)
    {
        const qsizetype s = IndexOf(path);
        if (s >= 0)
            return sections[s];
        sections.append(Section{SpelledLikeExisting(path), {}});
        return sections.last();
    }

    // Returns whether anything changed.
    bool Set(const QString &path, const QString &name, const QString &text)
    {
        Section &section = Obtain(path);
        for (Entry &e : section.entries) {
            if (SameText(e.name, name)) {
                if (e.text == text)
                    return false;
                e.text = text;
                return true;
            }
        }
        section.entries.append(Entry{name, text});
        return true;
    }

    bool Erase(QStringView path)
    {
        return sections.removeIf([path](const Section &s) { return IsSameOrBelow(s.path, path); }) > 0;
    }
};

// ---- Escaping ----

// "\uXXXX" in names and values, "%uXXXX" in section headers.
void AppendCodeEscape(QString &out, char prefix, char16_t code)
{
    out += QString::asprintf("%cu%04X", prefix, unsigned(code));
}

// An unpaired surrogate cannot be written as UTF-8, so it is escaped instead.
bool IsUnpairedSurrogate(QStringView s, qsizetype i)
{
    const QChar c = s.at(i);
    if (c.isHighSurrogate())
        return i + 1 >= s.size() || !s.at(i + 1).isLowSurrogate();
    if (c.isLowSurrogate())
        return i == 0 || !s.at(i - 1).isHighSurrogate();
    return false;
}

QString EscapeField(QStringView s, bool isName)
{
    QString out;
    out.reserve(s.size() + 4);
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t u = s.at(i).unicode();
        switch (u) {
        case u'\\': out += QLatin1String("\\\\"); continue;
        case u'\n': out += QLatin1String("\\n"); continue;
        case u'\r': out += QLatin1String("\\r"); continue;
        case u'\t': out += QLatin1String("\\t"); continue;
        case u' ':
            if (i == 0 || i == s.size() - 1) {
                out += QLatin1String("\\s");
                continue;
            }
            break;
        case u'=':
            if (isName) {
                out += QLatin1String("\\=");
                continue;
            }
            break;
        case u'[':
        case u';':
        case u'#':
            if (isName && i == 0) {
                out += PathSeparator;
                out += QChar(u);
                continue;
            }
            break;
        default:
            break;
        }
        if (u < 0x20 || u == 0x7F || IsUnpairedSurrogate(s, i))
            AppendCodeEscape(out, '\\', u);
        else
            out += QChar(u);
    }
    return out;
}

// Exactly `digits` hex digits at `from`, or nullopt.
std::optional<char16_t> ParseHex(QStringView s, qsizetype from, qsizetype digits)
{
    if (from + digits > s.size())
        return std::nullopt;
    char16_t v = 0;
    for (qsizetype i = from; i < from + digits; ++i) {
        const char16_t c = s.at(i).unicode();
        int d;
        if (c >= u'0' && c <= u'9')
            d = c - u'0';
        else if (c >= u'A' && c <= u'F')
            d = c - u'A' + 10;
        else if (c >= u'a' && c <= u'f')
            d = c - u'a' + 10;
        else
            return std::nullopt;
        v = char16_t(v * 16 + d);
    }
    return v;
}

QString UnescapeField(QStringView s)
{
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c != PathSeparator || i + 1 >= s.size()) {
            out += c;
            continue;
        }
        const char16_t next = s.at(i + 1).unicode();
        switch (next) {
        case u'\\': out += PathSeparator; break;
        case u'n': out += QChar(u'\n'); break;
        case u'r': out += QChar(u'\r'); break;
        case u't': out += QChar(u'\t'); break;
        case u's': out += QChar(u' '); break;
        case u'=':
        case u'[':
        case u';':
        case u'#': out += QChar(next); break;
        case u'u':
            if (const auto code = ParseHex(s, i + 2, 4)) {
                out += QChar(*code);
                i += 5;
                continue;
            }
            out += c;
            out += QChar(next);
            break;
        default: // unknown escape in a hand-edited file: keep it as written
            out += c;
            out += QChar(next);
            break;
        }
        ++i;
    }
    return out;
}

QString EncodeHeader(QStringView path)
{
    QString out;
    out.reserve(path.size());
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t u = path.at(i).unicode();
        if (IsUnpairedSurrogate(path, i))
            AppendCodeEscape(out, '%', u);
        else if (u < 0x20 || u == 0x7F || u == u'%')
            out += QString::asprintf("%%%02X", unsigned(u));
        else
            out += QChar(u);
    }
    return out;
}

QString DecodeHeader(QStringView s)
{
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s.at(i) == u'%') {
            if (i + 1 < s.size() && s.at(i + 1) == u'u') {
                if (const auto code = ParseHex(s, i + 2, 4)) {
                    out += QChar(*code);
                    i += 5;
                    continue;
                }
            } else if (const auto code = ParseHex(s, i + 1, 2)) {
                out += QChar(*code);
                i += 2;
                continue;
            }
        }
        out += s.at(i);
    }
    return out;
}

// Only spaces and tabs count as blanks around a field; every other character is part of it.
QStringView TrimBlanks(QStringView s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && (s.at(b) == u' ' || s.at(b) == u'\t'))
        ++b;
    while (e > b && (s.at(e - 1) == u' ' || s.at(e - 1) == u'\t'))
        --e;
    return s.mid(b, e - b);
}

// Position of the first '=' not preceded by an escaping backslash, or -1.
qsizetype FindNameEnd(QStringView line)
{
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line.at(i) == PathSeparator)
            ++i;
        else if (line.at(i) == u'=')
            return i;
    }
    return -1;
}

Document Parse(const QByteArray &bytes)
{
    Document doc;
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    Section *current = nullptr;
    bool skipping = false; // inside a malformed header's section
    for (QStringView line : QStringView(text).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        line = TrimBlanks(line);
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            skipping = !line.endsWith(u']');
            if (!skipping)
                current = &doc.Obtain(NormalisePath(DecodeHeader(line.mid(1, line.size() - 2))));
            continue;
        }
        const qsizetype eq = FindNameEnd(line);
        if (skipping || eq < 0)
            continue;
        if (!current)
            current = &doc.Obtain(QString());
        const QString name = UnescapeField(TrimBlanks(line.left(eq)));
        const QString value = UnescapeField(TrimBlanks(line.mid(eq + 1)));
        // A name given twice in a hand-edited file: the later line wins.
        bool found = false;
        for (Entry &e : current->entries)
            if ((found = SameText(e.name, name))) {
                e.text = value;
                break;
            }
        if (!found)
            current->entries.append(Entry{name, value});
    }
    return doc;
}

QByteArray Serialise(const Document &doc)
{
    QString out;
    for (const Section &s : doc.sections) {
        if (!out.isEmpty())
            out += u'\n';
        out += u'[' + EncodeHeader(s.path) + QLatin1String("]\n");
        for (const Entry &e : s.entries)
            out += EscapeField(e.name, true) + u'=' + EscapeField(e.text, false) + u'\n';
    }
    return out.toUtf8();
}

// ---- Reading the file, with a cache keyed on the file's identity ----

#if defined(Q_OS_LINUX)
// Identifies one version of the file. A write by this store replaces the file, so the
// inode changes; an edit in place changes the size or the change time.
struct FileStamp
{
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    qint64 mtimeNs = 0;
    qint64 ctimeNs = 0;
    bool operator==(const FileStamp &) const = default;
};

FileStamp StampOf(const struct stat &st)
{
    return FileStamp{st.st_dev, st.st_ino, st.st_size,
                     qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
                     qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec};
}

// File times are only as fine as the kernel's clock tick (and coarser on some file
// systems), so a file changed within that span could be changed again without its stamp
// changing. A version is cached only once it is older than this margin.
constexpr qint64 RacyMarginNs = 3LL * 1000000000;

struct Cache
{
    QMutex mutex;
    QString fileName;
    FileStamp stamp;
    std::shared_ptr<const Document> doc;
};

Cache &TheCache()
{
    static Cache cache;
    return cache;
}
#endif

enum class LoadStatus { Loaded, Missing, Failed };

// Reads and parses the file. A missing file is an empty store; a file that exists but
// cannot be read is a failure (a write must then not replace it).
std::shared_ptr<const Document> LoadDocument(const QString &fileName, LoadStatus *status)
{
#if defined(Q_OS_LINUX)
    Cache &cache = TheCache();
    const QByteArray nativeName = QFile::encodeName(fileName);
    struct stat st {};
    if (::stat(nativeName.constData(), &st) == 0) {
        QMutexLocker locker(&cache.mutex);
        if (cache.doc && cache.fileName == fileName && cache.stamp == StampOf(st)) {
            *status = LoadStatus::Loaded;
            return cache.doc;
        }
    }
#endif
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        *status = file.exists() ? LoadStatus::Failed : LoadStatus::Missing;
        return std::make_shared<const Document>();
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *status = LoadStatus::Failed;
        return std::make_shared<const Document>();
    }
    auto doc = std::make_shared<const Document>(Parse(bytes));
    *status = LoadStatus::Loaded;
#if defined(Q_OS_LINUX)
    // The stamp of the open file is the stamp of exactly the bytes read.
    if (::fstat(file.handle(), &st) == 0) {
        const FileStamp stamp = StampOf(st);
        const qint64 nowNs = QDateTime::currentMSecsSinceEpoch() * 1000000;
        if (nowNs - stamp.ctimeNs >= RacyMarginNs) {
            QMutexLocker locker(&cache.mutex);
            cache.fileName = fileName;
            cache.stamp = stamp;
            cache.doc = doc;
        }
    }
#endif
    return doc;
}

std::shared_ptr<const Document> CurrentDocument()
{
    LoadStatus status;
    return LoadDocument(ConfigStore::FileName(), &status);
}

void ForgetCache()
{
#if defined(Q_OS_LINUX)
    QMutexLocker locker(&TheCache().mutex);
    TheCache().doc.reset();
#endif
}

// Waits for the lock next to the file. QLockFile's own waiting backs off to pauses of
// seconds, far longer than any writer holds the lock, so the retries are done here.
bool AcquireLock(QLockFile &lock)
{
    QDeadlineTimer deadline(10000);
    unsigned long pause = 1;
    while (!lock.tryLock(0)) {
        if (lock.error() != QLockFile::LockFailedError || deadline.hasExpired())
            return false;
        QThread::msleep(pause);
        pause = qMin(pause * 2, 20ul);
    }
    return true;
}

// Read-modify-write under the lock. `change` edits the document and returns whether it
// changed anything; when it would not, nothing is written or created at all.
template <typename Change>
bool Modify(Change change)
{
    const QString fileName = ConfigStore::FileName();
    {
        Document probe = *CurrentDocument();
        if (!change(probe))
            return true;
    }
    if (!QDir().mkpath(QFileInfo(fileName).absolutePath()))
        return false;
    QLockFile lock(fileName + QLatin1String(".lock"));
    if (!AcquireLock(lock))
        return false;
    // Read again under the lock: another process may have written since the probe.
    LoadStatus status;
    Document doc = *LoadDocument(fileName, &status);
    if (status == LoadStatus::Failed)
        return false;
    if (!change(doc))
        return true;
    QSaveFile out(fileName);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = Serialise(doc);
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        return false;
    }
    const bool ok = out.commit();
    ForgetCache();
    return ok;
}

// Accepts optional blanks, an optional sign and decimal digits; nullopt when the text is
// anything else or leaves [minValue, maxValue].
std::optional<qint64> ParseInteger(QStringView text, qint64 minValue, qint64 maxValue)
{
    text = TrimBlanks(text);
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    if (text.isEmpty())
        return std::nullopt;
    qint64 value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        if (value > qint64(1) << 40) // far beyond any accepted range; stops overflow
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value < minValue || value > maxValue)
        return std::nullopt;
    return value;
}

} // namespace

QString ConfigStore::FileName()
{
    const QString explicitName = qEnvironmentVariable("PENDWICK_CONFIG");
    if (!explicitName.isEmpty())
        return explicitName;
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QLatin1String("/.config");
    return base + QLatin1String("/Pendwick/registry.ini");
}

QString ConfigStore::Read(const QString &keyPath, const QString &name, const QString &defaultText)
{
    const auto doc = CurrentDocument();
    const Entry *e = doc->Find(NormalisePath(keyPath), name);
    return e ? e->text : defaultText;
}

bool ConfigStore::Write(const QString &keyPath, const QString &name, const QString &text)
{
    const QString path = NormalisePath(keyPath);
    return Modify([&](Document &doc) { return doc.Set(path, name, text); });
}

bool ConfigStore::EraseKey(const QString &keyPath)
{
    const QString path = NormalisePath(keyPath);
    if (path.isEmpty())
        return false; // never erase the whole store by accident
    return Modify([&](Document &doc) { return doc.Erase(path); });
}

bool ConfigStore::KeyExists(const QString &keyPath)
{
    const QString path = NormalisePath(keyPath);
    return path.isEmpty() || CurrentDocument()->KeyExists(path);
}

bool ConfigStore::ValueExists(const QString &keyPath, const QString &name)
{
    return CurrentDocument()->Find(NormalisePath(keyPath), name) != nullptr;
}

bool ConfigStore::ReadBool(const QString &keyPath, const QString &name, bool defaultValue)
{
    return IsTrueText(Read(keyPath, name, BoolText(defaultValue)));
}

bool ConfigStore::WriteBool(const QString &keyPath, const QString &name, bool value)
{
    return Write(keyPath, name, BoolText(value));
}

int ConfigStore::ReadInt(const QString &keyPath, const QString &name, int defaultValue)
{
    return ParseInt(Read(keyPath, name, QString()), defaultValue);
}

bool ConfigStore::WriteInt(const QString &keyPath, const QString &name, int value)
{
    return Write(keyPath, name, QString::number(value));
}

int ConfigStore::ParseInt(const QString &text, int defaultValue)
{
    const auto v = ParseInteger(text, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    return v ? int(*v) : defaultValue;
}

TColor ConfigStore::ReadColor(const QString &keyPath, const QString &name, TColor defaultValue)
{
    // The signed text is what is written; the unsigned form of the same bits is accepted too.
    const auto v = ParseInteger(Read(keyPath, name, QString()), std::numeric_limits<qint32>::min(), std::numeric_limits<quint32>::max());
    return v ? TColor(quint32(*v)) : defaultValue;
}

bool ConfigStore::WriteColor(const QString &keyPath, const QString &name, TColor value)
{
    return Write(keyPath, name, QString::number(qint32(value)));
}

QStringList ConfigStore::ReadList(const QString &keyPath, const QString &prefix, int maxCount)
{
    const auto doc = CurrentDocument();
    const QString path = NormalisePath(keyPath);
    QStringList items;
    for (int i = 1; maxCount <= 0 || i <= maxCount; ++i) {
        const Entry *e = doc->Find(path, prefix + QString::number(i));
        if (!e || e->text.isEmpty())
            break;
        items.append(e->text);
    }
    return items;
}

bool ConfigStore::WriteList(const QString &keyPath, const QString &prefix, const QStringList &items)
{
    const QString path = NormalisePath(keyPath);
    return Modify([&](Document &doc) {
        const Document before = doc;
        // Erasing forgets the key's spelling; keep it for the key written anew.
        const qsizetype old = doc.IndexOf(path);
        const QString spelled = old >= 0 ? doc.sections[old].path : path;
        doc.Erase(path);
        Section &section = doc.Obtain(spelled);
        for (qsizetype i = 0; i < items.size(); ++i)
            section.entries.append(Entry{prefix + QString::number(i + 1), items[i]});
        return Serialise(doc) != Serialise(before);
    });
}
