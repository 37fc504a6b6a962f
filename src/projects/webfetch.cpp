#include "projects/webfetch.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslSocket>
#include <QTimer>
#include <QUrl>

#include "common/fileutils.h"
#include "common/htmlextensions.h"
#include "common/textfile.h"

QString OpenUrlErrorText()
{
    return QStringLiteral("Unable to open URL.  Make sure that the URL is valid and that you have an active "
                          "Internet connection.");
}
QString NoConnectivityErrorText() { return QStringLiteral("Unable to initialize Internet connectivity."); }
QString PageCutWarningText() { return QStringLiteral("Only the first 64 MB of this page could be opened."); }
QString FileTypeRefusedText() { return QStringLiteral("Files of this type cannot be opened by Pendwick"); }
QString InvalidUrlText() { return QStringLiteral("Please enter a valid URL."); }

bool IsValidWebAddress(const QString &url)
{
    const QString lower = url.toLower();
    if (lower == QLatin1String("http://") || lower == QLatin1String("https://"))
        return false;
    return lower.contains(QLatin1String("http://")) || lower.contains(QLatin1String("https://"));
}

TWebAddressKind WebAddressKind(const QString &url)
{
    if (url.endsWith(u'/'))
        return wkPage;
    // A site's root ("http://x.com") is a folder too; its host is no file name.
    const QString path = QUrl(url).path();
    if (path.isEmpty() || path.endsWith(u'/'))
        return wkPage;
    const QString name = path.section(u'/', -1);
    if (IsHTMLFile(name))
        return wkPage;
    switch (FileKindOf(name)) {
    case fkImage:
    case fkSound:
    case fkVideo: return wkRefused;
    default: return wkUncertain;
    }
}

QString WebPageText(QByteArray bytes)
{
    const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    if (!utf16) {
        const qsizetype zero = bytes.indexOf('\0');
        if (zero >= 0)
            bytes.truncate(zero);
    }
    QString text;
    TTextFileFormat format;
    QString error;
    if (bytes.isEmpty() || !DecodeText(bytes, text, format, error))
        return QString();
    return text;
}

namespace {

bool IsMediaType(const QString &contentType)
{
    const QString type = contentType.trimmed().toLower();
    return type.startsWith(QLatin1String("image/")) || type.startsWith(QLatin1String("audio/")) ||
           type.startsWith(QLatin1String("video/"));
}

} // namespace

TWebPage TWebFetch::Fetch(const QString &url)
{
    TWebPage page;
    const QUrl address(url, QUrl::TolerantMode);
    const QString scheme = address.scheme().toLower();
    if (!address.isValid() || address.host().isEmpty() || (scheme != u"http" && scheme != u"https"))
        return page;
    if (scheme == u"https" && !QSslSocket::supportsSsl()) {
        page.Status = fsNoConnectivity;
        return page;
    }

    QNetworkAccessManager manager;
    QNetworkRequest request(address);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(10);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Pendwick"));

    QEventLoop loop;
    QTimer idle;
    idle.setSingleShot(true);
    idle.setInterval(IdleTimeoutMs);
    m_stopped = false;
    bool timedOut = false, media = false, cut = false;
    QByteArray bytes;
    QNetworkReply *reply = manager.get(request);
    m_reply = reply;

    const auto status = [reply] { return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(); };
    // Everything that has arrived, a chunk at a time, up to the cap; more beyond it cuts
    // the page there.
    const auto readArrived = [&] {
        while (reply->bytesAvailable() > 0 && !cut) {
            if (bytes.size() >= Cap) {
                cut = true;
                reply->abort();
                return;
            }
            const qint64 n = std::min({WebReadChunk, Cap - bytes.size(), reply->bytesAvailable()});
            const qsizetype old = bytes.size();
            if (bytes.capacity() < old + n)
                bytes.reserve(std::min(Cap, std::max<qint64>(old + n, 2 * qint64(old))));
            bytes.resize(old + n);
            const qint64 got = reply->read(bytes.data() + old, n);
            bytes.resize(old + std::max<qint64>(got, 0));
            if (got <= 0)
                break;
        }
    };
    QObject::connect(reply, &QNetworkReply::metaDataChanged, &loop, [&] {
        idle.start();
        const int code = status();
        if (code >= 300 && code < 400)
            return; // a redirect being followed
        if (code < 400 && IsMediaType(reply->header(QNetworkRequest::ContentTypeHeader).toString())) {
            media = true;
            reply->abort();
            return;
        }
        const qint64 length = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
        if (length > 0)
            bytes.reserve(std::min(length, Cap));
    });
    QObject::connect(reply, &QNetworkReply::redirected, &loop, [&] { idle.start(); });
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        idle.start();
        if (status() < 400)
            readArrived();
    });
    QObject::connect(&idle, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    idle.start();
    if (!reply->isFinished())
        loop.exec();
    if (!m_stopped && !media && !cut && !timedOut && reply->error() == QNetworkReply::NoError)
        readArrived(); // what came with the end of the reply
    m_reply = nullptr;

    if (m_stopped)
        page.Status = fsStopped;
    else if (media)
        page.Status = fsMediaType;
    else if (cut || (!timedOut && reply->error() == QNetworkReply::NoError && status() < 400))
        page.Status = fsOK;
    if (page.Status != fsOK)
        return page;
    page.Cut = cut;
    page.Text = WebPageText(std::move(bytes));
    return page;
}

void TWebFetch::Stop()
{
    m_stopped = true;
    if (m_reply)
        m_reply->abort();
}
