import QtQuick
import QtQuick.Controls.Basic
import "qrc:/tvs/ui"

// A popup as a screen shows it: a dimmed backdrop and a card with a close button.
Item {
    id: popup
    required property var controller

    Rectangle {
        anchors.fill: parent
        color: Qt.rgba(0, 0, 0, 0.4)
    }
    Rectangle {
        anchors.centerIn: parent
        width: 240
        height: 120
        radius: 12
        color: Theme.surface
        CustomButton {
            anchors.centerIn: parent
            text: "닫기"
            onClicked: popup.controller.dismiss()
        }
    }
}
