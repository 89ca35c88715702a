#include "LoginController.h"

#include "AppData.h"
#include "DealerFields.h"
#include "LoginCrypto.h"
#include "LoginLogging.h"
#include "LoginTransitions.h"
#include "Navigator.h"
#include "RequestAlerts.h"
#include "ScreenContext.h"
#include "Services.h"
#include "ThemeColors.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextBoundaryFinder>
#include <QTimer>

namespace tvs {

Q_LOGGING_CATEGORY(lcLogin, "tvs.login", QtInfoMsg)

namespace {

const QString kSavedIdKey = DealerField::sUserId;
// The QR page counts as shown once the pages have moved this far (points).
constexpr qreal kQrPageThreshold = 180;
constexpr int kSegmentScrollMs = 200;
// "처리중.." stays this long before a read code is sent.
constexpr int kQrLoginDelayMs = 1000;

// Stores `value` in `field`; false, and nothing changed, when it is there already,
// so that a setter announces only a real change.
template <typename T> bool assign(T &field, const T &value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

// Characters as the dealer sees them: a character outside the BMP, or a Hangul
// syllable written as its separate jamo, counts once.
qsizetype characterCount(const QString &text)
{
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    qsizetype count = 0;
    while (graphemes.toNextBoundary() > 0)
        ++count;
    return count;
}

} // namespace

LoginController::LoginController(ScreenContext *context, QObject *parent)
    : Screen(context, parent), appData(AppData::shared()),
      m_login(context ? context->procedures : nullptr, this), m_qr(context ? context->qr : nullptr)
{
    if (m_qr) {
        connect(m_qr, &QrSource::detected, this, &LoginController::captureOutput);
        connect(m_qr, &QrSource::nothingDetected, this, &LoginController::captureOutputWithoutCode);
        connect(m_qr, &QrSource::runningChanged, this, &LoginController::capturingChanged);
        connect(m_qr, &QrSource::hasCameraChanged, this, &LoginController::hasCameraChanged);
        connect(m_qr, &QrSource::imageFailed, this,
                [this](const QString &, const QString &reason) { presentAlert(reason, QString()); });
    }
}

LoginController::~LoginController() = default;

void LoginController::viewDidLoad()
{
    if (NetworkMonitor *network = context() ? context()->network : nullptr) {
        connect(network, &NetworkMonitor::pathUpdated, this, [this](bool satisfied) {
            if (!satisfied)
                AppData::showAlertOnMain(this, QStringLiteral("네트워크 오류"),
                                         QStringLiteral("네트워크를 연결해주세요."));
        });
        if (!network->start())
            qCInfo(lcLogin) << "the network path cannot be watched here; no network alerts";
    }
    if (Settings *settings = context() ? context()->settings : nullptr) {
        if (settings->contains(kSavedIdKey)) {
            m_loginId = settings->value(kSavedIdKey);
            m_savedIdShown = !m_loginId.isEmpty();
            emit login_IDChanged();
        }
    }
}

void LoginController::viewWillAppear()
{
    m_visible = true;
    m_cameraPrepared = false;
    setQrFrame({});
    if (!m_qr) {
        qCWarning(lcLogin) << "No Camera";
        return;
    }
    // The camera is set up, stopped, when the QR page is shown: at this appearance if
    // it is, else when the dealer turns to it. A dealer who signs in by password never
    // brings the camera (and its media stack) up.
    if (m_segment == 1)
        prepareCamera();
}

void LoginController::prepareCamera()
{
    if (!m_qr || m_cameraPrepared)
        return;
    m_cameraPrepared = true;
    // Stopped until the QR page is shown; a camera prepared before is reused.
    if (m_qr->prepare())
        m_qr->stop();
}

void LoginController::viewWillDisappear()
{
    m_visible = false;
    // A capture left running under the next screen would sign in again on a read.
    stopCapture();
}

QStringList LoginController::segmentTitles() const
{
    return {QStringLiteral("아이디 로그인"), QStringLiteral("QR 로그인")};
}

QString LoginController::idPlaceholder() const
{
    return QStringLiteral("아이디를 입력해주세요.");
}

QString LoginController::pwPlaceholder() const
{
    return QStringLiteral("비밀번호를 입력해주세요.");
}

void LoginController::setLogin_ID(const QString &text)
{
    if (assign(m_loginId, text))
        emit login_IDChanged();
}

void LoginController::setLogin_PW(const QString &text)
{
    if (assign(m_loginPw, text))
        emit login_PWChanged();
}

void LoginController::setContentWidth(qreal width)
{
    if (qFuzzyCompare(width, m_contentWidth))
        return;
    m_contentWidth = width;
    emit contentWidthChanged();
}

bool LoginController::capturing() const
{
    return m_qr && m_qr->isRunning();
}

bool LoginController::hasCamera() const
{
    return m_qr && m_qr->hasCamera();
}

void LoginController::setSegment(int index)
{
    if (assign(m_segment, index))
        emit login_SegChanged();
}

void LoginController::setQrMsg(const QString &text, const QColor &color)
{
    if (text == m_qrMsg && color == m_qrMsgColor)
        return;
    m_qrMsg = text;
    m_qrMsgColor = color;
    emit qr_msgChanged();
}

void LoginController::setQrFrame(const QRectF &frame)
{
    if (assign(m_qrFrame, frame))
        emit qrCodeFrameViewChanged();
}

bool LoginController::qrPageShown() const
{
    return m_visible && m_segment == 1;
}

void LoginController::startCapture()
{
    // Only where the dealer looks at the QR page: a code read while another
    // screen covers the login would replace the signed-in dealer's session.
    if (m_qr && qrPageShown()) {
        prepareCamera();
        m_qr->start();
    }
}

void LoginController::stopCapture()
{
    if (m_qr)
        m_qr->stop();
}

void LoginController::action_Segmented(int index)
{
    if (index == 1) {
        setSegment(1);
        emit scrollRequested(m_contentWidth / 2, kSegmentScrollMs);
    } else if (index == 0) {
        setSegment(0);
        emit scrollRequested(0, kSegmentScrollMs);
    }
}

void LoginController::scrollViewDidScroll(qreal offsetX)
{
    if (offsetX > kQrPageThreshold) {
        setSegment(1);
        startCapture();
    } else {
        setSegment(0);
        stopCapture();
    }
}

void LoginController::touchesBegan()
{
    emit editingEnded();
}

void LoginController::viewDidLayoutSubviews(qreal previewWidth, qreal previewHeight)
{
    m_previewSize = QSizeF(previewWidth, previewHeight);
    if (!m_qrFrame.isEmpty())
        setQrFrame(previewRectOf(m_lastDetection, m_previewSize));
}

void LoginController::attachPreview(QObject *videoSink)
{
    if (m_qr)
        m_qr->setPreviewSink(videoSink);
}

QUrl LoginController::qrImageFolder() const
{
    if (m_qrImage.isLocalFile())
        return QUrl::fromLocalFile(QFileInfo(m_qrImage.toLocalFile()).absolutePath());
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return QUrl::fromLocalFile(!pictures.isEmpty() && QDir(pictures).exists() ? pictures : QDir::homePath());
}

void LoginController::openQrImage(const QUrl &file)
{
    if (!m_qr)
        return;
    const QString path = file.isLocalFile() ? file.toLocalFile() : file.toString();
    if (path.isEmpty())
        return;
    m_qrImage = file.isLocalFile() ? file : QUrl::fromLocalFile(path);
    emit qrImageChanged();
    m_qr->decodeImageFile(path);
}

void LoginController::loginBtnAction()
{
    if (characterCount(m_loginId) < 2) {
        AppData::showAlertOnMain(this, QStringLiteral("아이디를 확인해주세요."), QString());
        return;
    }
    if (characterCount(m_loginPw) < 2) {
        AppData::showAlertOnMain(this, QStringLiteral("비밀번호를 확인해주세요."), QString());
        return;
    }
    sendSignIn(m_loginId, passwordDigest(m_loginPw));
}

void LoginController::sendSignIn(const QString &userId, const QString &digest)
{
    if (!m_visible)
        return; // a retry from an alert after another sign-in opened the dashboard
    clearUserInfo();
    m_login.signIn(userId, digest, [this, userId, digest](const QueryResult<Record> &result) {
        loginReply(result, [this, userId, digest] { sendSignIn(userId, digest); }, {});
    });
}

void LoginController::sendQrSignIn(const QString &token)
{
    if (!m_visible)
        return; // a retry from an alert after another sign-in opened the dashboard
    clearUserInfo();
    m_login.signInWithQr(token, [this, token](const QueryResult<Record> &result) {
        // Given up, the QR page reads codes again.
        loginReply(
            result, [this, token] { sendQrSignIn(token); }, [this] { resumeScanning(); });
    });
}

void LoginController::resumeScanning()
{
    setQrMsg(QString(), theme::qrScanning());
    startCapture();
}

void LoginController::captureOutputWithoutCode()
{
    setQrFrame({});
    setQrMsg(QStringLiteral("스캔중.."), theme::qrScanning());
}

void LoginController::captureOutput(const QrDetection &detection)
{
    // A picture's code decoded after the dealer left the QR page (or signed in) is
    // no request to sign in.
    if (!qrPageShown()) {
        qCInfo(lcLogin) << "QR code read away from the QR page; ignored";
        return;
    }
    m_lastDetection = detection;
    setQrFrame(previewRectOf(detection, m_previewSize));
    if (detection.text.isEmpty())
        return;
    stopCapture();
    setQrMsg(QStringLiteral("처리중.."), theme::codeFrame());
    const QString scanned = detection.text;
    QTimer::singleShot(kQrLoginDelayMs, this, [this, scanned] { qrLogin(scanned); });
}

void LoginController::qrLogin(const QString &scanned)
{
    if (!qrPageShown()) {
        qCInfo(lcLogin) << "QR sign-in dropped: the QR page is no longer shown";
        setQrMsg(QString(), theme::qrScanning()); // back on the page, the dealer finds it ready
        return;
    }
    const QrPayload payload = openQrPayload(scanned, appData->AESKEY, appData->AESIV);
    // A code that is no sign-in code is told as one the decryptor refused, and the
    // camera (or the picker) is ready for the next one.
    switch (payload.kind) {
    case QrPayload::Rejected:
        qCInfo(lcLogin) << "QR code refused by the decryptor";
        break;
    case QrPayload::NotUtf8:
        qCInfo(lcLogin) << "QR code decrypts to a text that is not UTF-8";
        break;
    case QrPayload::NotUser:
        qCInfo(lcLogin) << "QR code decrypts to a text that does not begin with U";
        break;
    case QrPayload::Token:
        sendQrSignIn(payload.token);
        return;
    }
    setQrMsg(QStringLiteral("잘못된 접근입니다."), theme::qrRejected());
    startCapture();
}

void LoginController::clearUserInfo()
{
    // Only what this request's reply brings may sign the dealer in.
    for (const QString &key : LoginQueries::userInfoKeys())
        appData->userInfo.remove(key);
}

void LoginController::loginReply(const QueryResult<Record> &result, std::function<void()> retry,
                                 std::function<void()> gaveUp)
{
    // Another sign-in (a second tap, or the other page) already opened the dashboard:
    // this answer must neither refill nor clear that dealer's record.
    if (!m_visible) {
        qCInfo(lcLogin) << "sign-in answer after the login screen was left; ignored";
        return;
    }
    // "NO" is the service's whole answer, even when the reply breaks off after it.
    if (result.ok() && result.nothingFound) {
        presentAlert(QStringLiteral("로그인 실패"), QStringLiteral("입력정보를 다시 확인해주세요."),
                     std::move(gaveUp));
        return;
    }
    if (alertIfFailed(this, result, QStringLiteral("로그인하지 못했습니다."), std::move(retry),
                      std::move(gaveUp)))
        return;
    for (const auto &[name, value] : result.value.fields())
        appData->userInfo.insert(name, value);
    // An empty element is how the service writes an empty value: a dealer without an
    // ID or a password is no sign-in.
    const bool signedIn = !result.value.value(DealerField::sUserId).isEmpty() &&
                          !result.value.value(DealerField::sUserPw).isEmpty();
    // A reply that neither signs in nor refuses leaves the screen as it was, ready again.
    if (!signedIn && gaveUp)
        gaveUp();
    successStep(signedIn);
}

void LoginController::successStep(bool signedIn)
{
    if (!signedIn)
        return;
    const QString userId = appData->userInfo.value(DealerField::sUserId);
    if (Settings *settings = context()->settings)
        settings->setValue(kSavedIdKey, userId);
    // A second reply of a double tap finds the dashboard already on top.
    Navigator *nav = navigator();
    if (nav && nav->top() && nav->top() != this) {
        qCInfo(lcLogin) << "signed in again while another screen is shown; staying there";
        return;
    }
    performSegue(LoginTransition::login_to_main);
}

} // namespace tvs
