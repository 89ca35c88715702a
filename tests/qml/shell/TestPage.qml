import QtQuick
import "qrc:/tvs/ui"

Rectangle {
    id: page
    required property var controller
    color: Theme.surface

    CustomButton {
        anchors.centerIn: parent
        width: 200
        height: 60
        text: "뒤로 " + page.controller.identifier
        onClicked: page.controller.dismiss()
    }
}
