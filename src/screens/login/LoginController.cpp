#include "LoginController.h"

#include "AppData.h"
#include "CallText.h"
#include "LoginCrypto.h"
#include "LoginLogging.h"
#include "Navigator.h"
#include "ProcedureCaller.h"
#include "ScreenContext.h"
#include "Services.h"

#include <QTextBoundaryFinder>
#include <QTimer>

namespace tvs {

Q_LOGGING_CATEGORY(lcLogin, "tvs.login", QtInfoMsg)

namespace {

const QString kSavedIdKey = QStringLiteral("sUserId");
const QString kReplyFailure = QStringLiteral("rtn");
// The QR page counts as shown once the pages have moved this far (points).
constexpr qreal kQrPageThreshold = 180;
constexpr int kSegmentScrollMs = 200;
// "처리중.." stays this long before a read code is sent.
constexpr int kQrLoginDelayMs = 1000;

const QColor kScanning = QColor::fromRgbF(1, 1, 0);
const QColor kProcessing = QColor::fromRgbF(0, 1, 0);
const QColor kRejected = QColor::fromRgbF(1, 0, 0);

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

ReplyShape loginWalkShape()
{
    ReplyShape shape;
    shape.cleaning = Cleaning::Stripping;
    shape.namedElements.insert(kReplyFailure);
    for (const QString &key : LoginController::userInfoKeys())
        shape.namedElements.insert(key);
    return shape;
}

} // namespace

LoginController::LoginController(ScreenContext *context, QObject *parent)
    : Screen(context, parent)
    , appData(AppData::shared())
    , m_qr(context ? context->qr : nullptr)
{
    if (m_qr) {
        connect(m_qr, &QrSource::detected, this, &LoginController::captureOutput);
        connect(m_qr, &QrSource::nothingDetected, this, &LoginController::captureOutputWithoutCode);
        connect(m_qr, &QrSource::runningChanged, this, &LoginController::capturingChanged);
        connect(m_qr, &QrSource::hasCameraChanged, this, &LoginController::hasCameraChanged);
        connect(m_qr, &QrSource::imageFailed, this, [this](const QString &, const QString &reason) {
            presentAlert(reason, QString());
        });
    }
}

LoginController::~LoginController() = default;

const QStringList &LoginController::userInfoKeys()
{
    static const QStringList keys{
        QStringLiteral("sUserCode"),      QStringLiteral("sUserId"),        QStringLiteral("sStoreCode"),
        QStringLiteral("sStoreName"),     QStringLiteral("sUserName"),      QStringLiteral("sUserTelnum"),
        QStringLiteral("sUserEmail"),     QStringLiteral("iUserLevel"),     QStringLiteral("sUserRegDate"),
        QStringLiteral("sUserUpDate"),    QStringLiteral("sUserLastDate"),  QStringLiteral("sUserStatus"),
        QStringLiteral("sUserMemo"),      QStringLiteral("sUserPw"),        QStringLiteral("sUserLastDate1"),
        QStringLiteral("sStoreAddress"),  QStringLiteral("sStoreBusinessNum"), QStringLiteral("sStoreUseName"),
    };
    return keys;
}

void LoginController::viewDidLoad()
{
    if (NetworkMonitor *network = context() ? context()->network : nullptr) {
        connect(network, &NetworkMonitor::pathUpdated, this, [this](bool satisfied) {
            if (!satisfied)
                AppData::showAlertOnMain(this, QStringLiteral("네트워크 오류"), QStringLiteral("네트워크를 연결해주세요."));
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
    setQrFrame({});
    if (!m_qr) {
        qCWarning(lcLogin) << "No Camera";
        return;
    }
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
    if (text == m_loginId)
        return;
    m_loginId = text;
    emit login_IDChanged();
}

void LoginController::setLogin_PW(const QString &text)
{
    if (text == m_loginPw)
        return;
    m_loginPw = text;
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
    if (index == m_segment)
        return;
    m_segment = index;
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
    if (frame == m_qrFrame)
        return;
    m_qrFrame = frame;
    emit qrCodeFrameViewChanged();
}

void LoginController::startCapture()
{
    if (m_qr)
        m_qr->start();
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
    sendLogin(callText(QStringLiteral("ps_Login1"),
                       {m_loginId, passwordDigest(m_loginPw), QStringLiteral("MOBILE_DEALER"),
                        QStringLiteral("1, 2, 3, 4, 12")}));
}

void LoginController::captureOutputWithoutCode()
{
    setQrFrame({});
    setQrMsg(QStringLiteral("스캔중.."), kScanning);
}

void LoginController::captureOutput(const QrDetection &detection)
{
    m_lastDetection = detection;
    setQrFrame(previewRectOf(detection, m_previewSize));
    if (detection.text.isEmpty())
        return;
    stopCapture();
    setQrMsg(QStringLiteral("처리중.."), kProcessing);
    const QString scanned = detection.text;
    QTimer::singleShot(kQrLoginDelayMs, this, [this, scanned] { qrLogin(scanned); });
}

void LoginController::qrLogin(const QString &scanned)
{
    const QrPayload payload = openQrPayload(scanned, appData->AESKEY, appData->AESIV);
    switch (payload.kind) {
    case QrPayload::Rejected:
        qCInfo(lcLogin) << "QR code refused by the decryptor";
        setQrMsg(QStringLiteral("잘못된 접근입니다."), kRejected);
        // Scanning goes on only where the dealer still looks at the QR page.
        if (m_visible && m_segment == 1)
            startCapture();
        return;
    case QrPayload::NotUtf8:
        qCInfo(lcLogin) << "QR code decrypts to a text that is not UTF-8";
        return;
    case QrPayload::NotUser:
        qCInfo(lcLogin) << "QR code decrypts to a text that does not begin with U";
        return;
    case QrPayload::Token:
        break;
    }
    sendLogin(callText(QStringLiteral("ps_LoginQR1"),
                       {payload.token, QStringLiteral("MOBILE_DEALER"), QStringLiteral("1,2,3,4,12")}));
}

void LoginController::sendLogin(const QString &text)
{
    ProcedureCaller *procedures = context() ? context()->procedures : nullptr;
    if (!procedures) {
        qCWarning(lcLogin) << "no procedure client; the sign-in is not sent";
        return;
    }
    // Only what this request's reply brings may sign the dealer in.
    for (const QString &key : userInfoKeys())
        appData->userInfo.remove(key);
    static const ReplyShape shape = loginWalkShape();
    procedures->call(kProcedureList, text, shape, this, [this](const ProcedureReply &reply) { loginReply(reply); });
}

void LoginController::loginReply(const ProcedureReply &reply)
{
    if (!reply.ok()) {
        qCWarning(lcLogin) << "sign-in failed:" << reply.error;
        return;
    }
    // The reply holds the stored password: only its shape is logged.
    qCInfo(lcLogin) << "getData:" << reply.body.size() << "bytes," << reply.walk.named.size() << "known elements";
    if (!reply.walk.complete) {
        qCWarning(lcLogin) << "sign-in reply broke off:" << reply.walk.error;
        return;
    }
    const QStringList &keys = userInfoKeys();
    for (const auto &[name, value] : reply.walk.named.fields()) {
        if (name == kReplyFailure) {
            if (value == QLatin1String("NO"))
                AppData::showAlertOnMain(this, QStringLiteral("로그인 실패"), QStringLiteral("입력정보를 다시 확인해주세요."));
        } else if (keys.contains(name)) {
            appData->userInfo.insert(name, value);
        }
    }
    successStep(reply.walk.named.contains(QStringLiteral("sUserId"))
                && reply.walk.named.contains(QStringLiteral("sUserPw")));
}

void LoginController::successStep(bool signedIn)
{
    if (!signedIn)
        return;
    const QString userId = appData->userInfo.value(QStringLiteral("sUserId"));
    if (Settings *settings = context()->settings)
        settings->setValue(kSavedIdKey, userId);
    Navigator *nav = navigator();
    if (!nav) {
        qCWarning(lcLogin) << "no navigator; the dashboard cannot be opened";
        return;
    }
    // A second reply of a double tap finds the dashboard already on top.
    if (nav->top() && nav->top() != this) {
        qCInfo(lcLogin) << "signed in again while another screen is shown; staying there";
        return;
    }
    nav->showScreen(QStringLiteral("MainView"));
}

} // namespace tvs
