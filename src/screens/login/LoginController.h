#pragma once

#include "LoginQueries.h"
#include "QrSource.h"
#include "Screen.h"

#include <QColor>
#include <QPointer>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace tvs {

class AppData;

// The first screen: sign-in by ID and password (page 0) or by a QR code (page 1),
// the two pages side by side under a two-segment control. A sign-in fills
// AppData's userInfo from the reply, remembers the ID and opens "MainView".
class LoginController : public Screen
{
    Q_OBJECT
    // The texts of the ID and password fields.
    Q_PROPERTY(QString login_ID READ login_ID WRITE setLogin_ID NOTIFY login_IDChanged)
    Q_PROPERTY(QString login_PW READ login_PW WRITE setLogin_PW NOTIFY login_PWChanged)
    // Selected segment: 0 the ID and password page, 1 the QR page.
    Q_PROPERTY(int login_Seg READ login_Seg NOTIFY login_SegChanged)
    Q_PROPERTY(QStringList segmentTitles READ segmentTitles CONSTANT)
    Q_PROPERTY(QString idPlaceholder READ idPlaceholder CONSTANT)
    Q_PROPERTY(QString pwPlaceholder READ pwPlaceholder CONSTANT)
    // True when a saved ID filled the ID field: the password field takes the focus.
    Q_PROPERTY(bool passwordFocusFirst READ passwordFocusFirst NOTIFY login_IDChanged)
    // Width of login_ScrollView's content (both pages), kept by the page.
    Q_PROPERTY(qreal contentWidth READ contentWidth WRITE setContentWidth NOTIFY contentWidthChanged)
    // qr_msg: the QR status text and its colour.
    Q_PROPERTY(QString qr_msg READ qr_msg NOTIFY qr_msgChanged)
    Q_PROPERTY(QColor qr_msgColor READ qr_msgColor NOTIFY qr_msgChanged)
    // qrCodeFrameView: the green frame around the detected code, in preview
    // coordinates; empty when hidden.
    Q_PROPERTY(QRectF qrCodeFrameView READ qrCodeFrameView NOTIFY qrCodeFrameViewChanged)
    Q_PROPERTY(bool capturing READ capturing NOTIFY capturingChanged)
    Q_PROPERTY(bool hasCamera READ hasCamera NOTIFY hasCameraChanged)
    Q_PROPERTY(bool canOpenImage READ canOpenImage CONSTANT)
    // The image file last opened on the QR page (shown in the preview area).
    Q_PROPERTY(QUrl qrImage READ qrImage NOTIFY qrImageChanged)
    // Where the image picker opens: the last image's folder, else the pictures folder, else home.
    Q_PROPERTY(QUrl qrImageFolder READ qrImageFolder NOTIFY qrImageChanged)

public:
    explicit LoginController(ScreenContext *context, QObject *parent = nullptr);
    ~LoginController() override;

    void viewDidLoad() override;
    void viewWillAppear() override;
    void viewWillDisappear() override;

    Q_INVOKABLE void loginBtnAction();
    Q_INVOKABLE void action_Segmented(int index);
    Q_INVOKABLE void scrollViewDidScroll(qreal offsetX);
    // A touch outside the fields: editing ends and the keyboard closes.
    Q_INVOKABLE void touchesBegan();
    // The preview area got its size (qr_Preview's bounds).
    Q_INVOKABLE void viewDidLayoutSubviews(qreal previewWidth, qreal previewHeight);
    // The page's VideoOutput sink that shows the camera.
    Q_INVOKABLE void attachPreview(QObject *videoSink);
    // Reads a QR code from an image file (a screenshot or photo of the code).
    Q_INVOKABLE void openQrImage(const QUrl &file);

    // QR detections (from the QR source; public so tests can feed them directly).
    void captureOutput(const tvs::QrDetection &detection);
    void captureOutputWithoutCode();
    // Runs the QR sign-in with the text of a read code.
    void qrLogin(const QString &scanned);

    QString login_ID() const { return m_loginId; }
    void setLogin_ID(const QString &text);
    QString login_PW() const { return m_loginPw; }
    void setLogin_PW(const QString &text);
    int login_Seg() const { return m_segment; }
    QStringList segmentTitles() const;
    QString idPlaceholder() const;
    QString pwPlaceholder() const;
    bool passwordFocusFirst() const { return m_savedIdShown; }
    qreal contentWidth() const { return m_contentWidth; }
    void setContentWidth(qreal width);
    QString qr_msg() const { return m_qrMsg; }
    QColor qr_msgColor() const { return m_qrMsgColor; }
    QRectF qrCodeFrameView() const { return m_qrFrame; }
    bool capturing() const;
    bool hasCamera() const;
    bool canOpenImage() const { return m_qr != nullptr; }
    QUrl qrImage() const { return m_qrImage; }
    QUrl qrImageFolder() const;

signals:
    void login_IDChanged();
    void login_PWChanged();
    void login_SegChanged();
    void contentWidthChanged();
    void qr_msgChanged();
    void qrCodeFrameViewChanged();
    void capturingChanged();
    void hasCameraChanged();
    void qrImageChanged();
    // The page scrolls login_ScrollView to `offsetX` in `durationMs`.
    void scrollRequested(qreal offsetX, int durationMs);
    // The page takes the focus from the fields (the keyboard closes).
    void editingEnded();

private:
    void setSegment(int index);
    void setQrMsg(const QString &text, const QColor &color);
    void setQrFrame(const QRectF &frame);
    void prepareCamera();
    // The login is on top with its QR page selected: only then do codes sign in.
    bool qrPageShown() const;
    void startCapture();
    void stopCapture();
    void clearUserInfo();
    void sendSignIn(const QString &userId, const QString &digest);
    void sendQrSignIn(const QString &token);
    void resumeScanning();
    // `retry` sends the same sign-in again; `gaveUp` runs when the dealer does not.
    void loginReply(const QueryResult<Record> &result, std::function<void()> retry,
                    std::function<void()> gaveUp);
    void successStep(bool signedIn);

    AppData *appData;
    LoginQueries m_login;
    QPointer<QrSource> m_qr;
    QString m_loginId;
    QString m_loginPw;
    bool m_savedIdShown = false;
    int m_segment = 0;
    qreal m_contentWidth = 0;
    QString m_qrMsg;
    QColor m_qrMsgColor;
    QRectF m_qrFrame;
    QSizeF m_previewSize;
    QrDetection m_lastDetection;
    QUrl m_qrImage;
    bool m_visible = false;
    // The camera was set up during this appearance.
    bool m_cameraPrepared = false;
};

} // namespace tvs
