#pragma once

// Recovery copies of unsaved documents. While a document is modified its text is written,
// now and then, to a file of its own in the per-user recovery folder, with a small record
// beside it (where the document came from and how it was held); a start after a crash
// finds the copies of instances that are no longer running and offers them back.
//
// Files of one running instance: "<instance>.lock" (a QLockFile held for the instance's
// life), and per document "<instance>-<serial>.txt" (the text as UTF-8) and
// "<instance>-<serial>.rec" (the record). A lock that can be taken belongs to an instance
// that ended without cleaning up; a lock held by a running process is never taken, so two
// running instances never touch each other's copies.

#include <QDateTime>
#include <QList>
#include <QLockFile>
#include <QString>
#include <memory>
#include <vector>

#include "common/textfile.h"

struct TRecoveryRecord
{
    QString Path;                  // the document's file, empty for an untitled one
    TTextEncoding Encoding = teUtf8;
    bool ByteOrderMark = false;
    TLineEnd LineEnd = leCRLF;
    int Caret = 0;
    int TabOrder = 0;
    QDateTime Time;                // when the copy was taken (UTC)
    qint64 TextBytes = -1;         // the size of the text file written with it

    bool operator==(const TRecoveryRecord &) const = default;
};

// The record as lines of "Name=value" (UTF-8); values are percent-encoded.
QByteArray SerializeRecoveryRecord(const TRecoveryRecord &record);
// Reads a record; unknown names are skipped. False, with a reason, when the data holds no
// record at all or a value cannot be read (then `record` has what could be read).
bool ParseRecoveryRecord(const QByteArray &data, TRecoveryRecord &record, QString &error);

// The per-user recovery folder: AppLocalDataLocation + "/recovery".
QString RecoveryFolder();
// A name for this running instance, unique on this machine: "<pid>_<start msecs>".
QString NewRecoveryInstance();

// Writes one document's copy: the text (as UTF-8) and then the record, each atomically
// (QSaveFile). Safe to call from a worker thread. False, with a reason, when either fails.
bool WriteRecoveryCopy(const QString &folder, const QString &baseName, const QString &text,
                       TRecoveryRecord record, QString &error);
// Removes one document's copy (text and record).
void RemoveRecoveryCopy(const QString &folder, const QString &baseName);

// One document found in the recovery folder, with what could be read of it.
struct TRecoveredDocument
{
    QString BaseName;      // "<instance>-<serial>", the files without their extension
    TRecoveryRecord Record;
    bool HasRecord = false;
    QString Text;
    QString Note;          // empty when text and record were read whole
};

// The copies left by instances that are no longer running, in tab order. The locks of those
// instances are taken and handed back in `claimed`, so that another instance starting at
// the same time does not offer them too; keep them until the copies have been dealt with.
// The instance `own` is never looked at.
QList<TRecoveredDocument> FindStaleRecovery(const QString &folder, const QString &own,
                                            std::vector<std::unique_ptr<QLockFile>> &claimed);
// Removes the copies of the given documents, and the lock files of the claimed instances
// when no copy of theirs is left.
void DiscardRecovery(const QString &folder, const QList<TRecoveredDocument> &documents,
                     std::vector<std::unique_ptr<QLockFile>> &claimed);

// "Software\Pendwick\Recovery": "Enabled" (default on) and "IntervalSeconds" (default 30,
// at least 1).
struct TRecoverySettings
{
    bool Enabled = true;
    int IntervalSeconds = 30;
    void Load();
};
