import QtQuick
import QtQuick.Controls.Basic
import "qrc:/tvs/ui"

// A page of the service's web hosts. Without the web engine the address opens
// in the system browser instead.
Item {
    id: page
    property var controller

    NavigationBar {
        id: bar
        title: page.controller.title
        onBackClicked: page.controller.dismiss()
    }

    Loader {
        id: webView
        objectName: "webView"
        anchors { left: parent.left; right: parent.right; top: bar.bottom; bottom: parent.bottom }
        // A notice replaces the page: the engine's own error page is not drawn under it.
        visible: page.controller.notice === ""
        // Without an address there is nothing to load; the notice says why.
        Component.onCompleted: if (page.controller.address.toString() !== "")
                                   setSource("WebEngineContent.qml", { controller: page.controller })
        onStatusChanged: if (status === Loader.Error) page.controller.webEngineUnavailable()
    }

    Text {
        textFormat: Text.PlainText
        anchors { centerIn: webView; }
        width: webView.width - 48
        visible: page.controller.notice !== ""
        text: page.controller.notice
        wrapMode: Text.WordWrap
        horizontalAlignment: Text.AlignHCenter
        color: Theme.secondaryText
        font.pixelSize: 15
        // Read out as soon as it shows, like an alert.
        Accessible.role: Accessible.AlertMessage
        Accessible.name: text
    }

    BusyIndicator {
        id: indicator
        anchors.centerIn: webView
        running: page.controller.indicatorVisible
        visible: page.controller.indicatorVisible
        scale: page.controller.indicatorScale
        Accessible.name: "불러오는 중"
    }
}
