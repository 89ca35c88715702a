import QtQuick
import QtWebEngine
import TvsDealer.Web

// The web view of WebController; loaded by WebPage.qml only where the web
// engine exists. Reports the first navigation's end and the end of the web
// content process, and follows the controller's load, reload and stop.
WebEngineView {
    id: webView
    required property var controller

    url: controller.address
    // A navigation that Chromium aborts (net::ERR_ABORTED: a script sent the page on,
    // a download) hides nothing.
    readonly property int abortedError: -3
    onLoadingChanged: (request) => {
        if (request.status === WebEngineView.LoadSucceededStatus)
            controller.navigationFinished(true, "")
        else if (request.status === WebEngineView.LoadStoppedStatus
                 || (request.status === WebEngineView.LoadFailedStatus && request.errorCode === abortedError))
            controller.navigationAborted()
        else if (request.status === WebEngineView.LoadFailedStatus)
            controller.navigationFinished(false, request.errorString)
    }
    onCertificateError: (error) => WebCertificates.settle(error, webView.controller)
    onRenderProcessTerminated: (status, exitCode) => controller.webContentProcessDidTerminate()

    Connections {
        target: webView.controller
        function onReloadRequested() { webView.reload() }
        function onStopRequested() { webView.stop() }
    }
}
