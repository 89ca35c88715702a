pragma ComponentBehavior: Bound
import QtQuick
import "qrc:/tvs/ui"

// The first step of a job order: the car's inspection items with a repair shop
// for each, the car's inspection record page, and on to the job lines.
Rectangle {
    id: page
    property var controller
    color: Theme.background

    NavigationBar {
        id: bar
        title: "점검 항목"
        onBackClicked: page.controller.dismiss()
    }

    ListView {
        anchors { left: parent.left; right: parent.right; top: bar.bottom; bottom: actions.top }
        clip: true
        model: page.controller.theTable
        delegate: Rectangle {
            id: cell
            required property int index
            required property string cell_label
            required property string cell_Button
            width: ListView.view.width
            height: 64
            color: Theme.surface
            Accessible.role: Accessible.ListItem
            Accessible.name: cell.cell_label + " " + cell.cell_Button
            Rectangle {
                anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
                height: 1
                color: Theme.separator
            }
            Text {
                anchors { left: parent.left; leftMargin: 14; right: shop.left; rightMargin: 8
                          verticalCenter: parent.verticalCenter }
                text: cell.cell_label
                textFormat: Text.PlainText
                wrapMode: Text.Wrap
                maximumLineCount: 2
                elide: Text.ElideRight
                color: Theme.text
                font.pixelSize: Theme.fontSize
            }
            CustomButton {
                id: shop
                anchors { right: parent.right; rightMargin: 12; verticalCenter: parent.verticalCenter }
                width: 130; height: 38
                cornerRadius: 6
                borderWidth: 1
                borderColor: Theme.controlBorder
                backgroundColor: Theme.surface
                textColor: Theme.navy
                text: cell.cell_Button
                font.pixelSize: Theme.smallFontSize
                // The row's item names the button.
                Accessible.name: (text !== "" ? text : "정비소 선택") + " " + cell.cell_label
                onClicked: page.controller.cell_ButtonAction(cell.index)
            }
        }
    }

    Row {
        id: actions
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom; margins: Theme.margin }
        spacing: 10
        CustomButton {
            width: (parent.width - parent.spacing) / 2
            height: 48
            cornerRadius: 6
            backgroundColor: Theme.navy
            text: "성능 점검 기록부"
            onClicked: page.controller.openInspectionRecord()
        }
        CustomButton {
            width: (parent.width - parent.spacing) / 2
            height: 48
            cornerRadius: 6
            text: "다음"
            font.bold: true
            onClicked: page.controller.openJobLines()
        }
    }
}
