import QtQuick
import QtQuick.Controls.Basic

// A page of the service's web hosts. Without the web engine the address opens
// in the system browser instead.
Item {
    id: page
    property var controller
    readonly property color navy: "#252d49"

    Rectangle {
        id: bar
        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: 56
        color: page.navy
        z: 2
        ToolButton {
            id: back
            anchors { left: parent.left; verticalCenter: parent.verticalCenter }
            width: 48; height: 48
            text: "‹"
            font.pixelSize: 30
            Accessible.name: "뒤로"
            contentItem: Text { text: back.text; font: back.font; color: "white"
                                horizontalAlignment: Text.AlignHCenter; verticalAlignment: Text.AlignVCenter }
            background: Rectangle { color: back.down ? "#33ffffff" : "transparent" }
            onClicked: controller.dismiss()
        }
        Text {
            anchors { centerIn: parent }
            width: parent.width - 112
            horizontalAlignment: Text.AlignHCenter
            elide: Text.ElideRight
            text: controller.title
            color: "white"
            font { pixelSize: 18; bold: true }
        }
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
        anchors { centerIn: webView; }
        width: webView.width - 48
        visible: controller.notice !== ""
        text: controller.notice
        wrapMode: Text.WordWrap
        horizontalAlignment: Text.AlignHCenter
        color: "#4a5068"
        font.pixelSize: 15
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
