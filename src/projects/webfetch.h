#pragma once
// Fetching a web page into text for a new document, and the checks made on its address
// before it is fetched. No widgets: the window around it shows the messages.
#include <QObject>
#include <QPointer>
#include <QString>

#include <QNetworkReply>

// What a fetch reads at a time, what it keeps at most, and how long it waits for data.
constexpr qint64 WebReadChunk = 524288;
constexpr qint64 WebPageCap = qint64(64) * 1024 * 1024;
constexpr int WebIdleTimeoutMs = 30000;

QString OpenUrlErrorText();          // refused, unknown host, time-out, error reply, ...
QString NoConnectivityErrorText();   // https without TLS support
QString PageCutWarningText();        // a page over the cap
QString FileTypeRefusedText();       // images, sounds, videos
QString InvalidUrlText();            // OK of the dialog with no usable address

// The dialog's check: the address, in lower case, holds "http://" or "https://" and is
// not that alone.
bool IsValidWebAddress(const QString &url);

enum TWebAddressKind {
    wkPage,     // an HTML extension, a folder ("/" at the end) or a site's root
    wkRefused,  // an image, sound or video: not opened
    wkUncertain // any other extension: the user is asked first
};
// Judged by the extension of the address's path (query and fragment left out).
TWebAddressKind WebAddressKind(const QString &url);

enum TFetchStatus {
    fsOK,             // the page arrived (its text may still be empty)
    fsOpenFailed,     // no page: the open-URL error
    fsNoConnectivity, // https without TLS support
    fsMediaType,      // the reply is an image, sound or video
    fsStopped         // Stop() ended it: nothing to say
};

struct TWebPage
{
    TFetchStatus Status = fsOpenFailed;
    QString Text;     // decoded as a file is, up to the first zero byte; "\n" line breaks
    bool Cut = false; // longer than the cap: Text holds the first Cap bytes
};

// One fetch at a time. Fetch runs a local event loop until the page has been read to its
// end (in chunks of WebReadChunk), the cap is reached, nothing arrives for IdleTimeoutMs,
// or Stop() is called from something the loop runs (the Escape key). Redirects are
// followed up to ten times, never from https to http.
class TWebFetch : public QObject
{
public:
    qint64 Cap = WebPageCap;
    int IdleTimeoutMs = WebIdleTimeoutMs;

    TWebPage Fetch(const QString &url);
    void Stop();
    bool Running() const { return m_reply != nullptr; }

private:
    QPointer<QNetworkReply> m_reply;
    bool m_stopped = false;
};

// The page's bytes as document text: up to the first zero byte (a UTF-16 page with its
// byte-order mark is taken whole), decoded as files are.
QString WebPageText(QByteArray bytes);
