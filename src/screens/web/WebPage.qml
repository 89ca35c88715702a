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
        title: controller.title
        onBackClicked: controller.dismiss()
    }

    Loader {
        id: webView
        objectName: "webView"
        anchors { left: parent.left; right: parent.right; top: bar.bottom; bottom: parent.bottom }
        // A notice replaces the page: the engine's own error page is not drawn under it.
        visible: controller.notice === ""
        // Without an address there is nothing to load; the notice says why.
        Component.onCompleted: if (controller.address.toString() !== "")
                                   setSource("WebEngineContent.qml", { controller: page.controller })
        onStatusChanged: if (status === Loader.Error) controller.webEngineUnavailable()
    }

    Text {
        textFormat: Text.PlainText
        anchors { centerIn: webView; }
        width: webView.width - 48
        visible: controller.notice !== ""
        text: controller.notice
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
        running: controller.indicatorVisible
        visible: controller.indicatorVisible
        scale: controller.indicatorScale
        Accessible.name: "불러오는 중"
    }
}
