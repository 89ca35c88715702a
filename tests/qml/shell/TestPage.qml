import QtQuick
import QtQuick.Controls.Basic
import "qrc:/tvs/ui"

Rectangle {
    id: page
    required property var controller
    color: Theme.surface

    Column {
        anchors.centerIn: parent
        spacing: 12
        Text { text: page.controller.identifier }
        CustomButton {
            text: "다음 " + page.controller.identifier
            cornerRadius: 8
            onClicked: page.controller.performSegue("to_second")
        }
        StatusLabel {
            text: "  판매중  "
            backgroundColor: "orange"
        }
    }
}
