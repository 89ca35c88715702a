import QtQuick
import QtQuick.Controls.Basic

// One car of the dashboard's table and the car list: picture, name, plate and
// year, mileage and fuel, status label, on the row's tint; in the car list's
// two state-change modes, the row button whose tag is the row index. Everything
// shown comes from the row's model roles.
ItemDelegate {
    id: cell
    required property int index
    required property string cell_img
    required property string cell_name
    required property string cell_info
    required property string cell_info2
    required property string cell_state
    required property color cell_stateColor
    required property color cell_background
    property string buttonTitle: ""
    signal rowButtonPressed(int tag)

    width: ListView.view ? ListView.view.width : implicitWidth
    height: Theme.carRowHeight
    Accessible.name: [cell_name, cell_info, cell_info2, cell_state.trim()].filter(shown => shown !== "").join(" ")
    padding: 0
    background: Rectangle {
        color: cell.cell_background
        Rectangle {
            anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
            height: 1
            color: Theme.separator
        }
    }
    contentItem: Item {
        Picture {
            id: cellImg
            objectName: "cell_img"
            anchors { left: parent.left; leftMargin: 12; verticalCenter: parent.verticalCenter }
            width: 108; height: 74
            address: cell.cell_img
        }
        Column {
            anchors { left: cellImg.right; leftMargin: 12
                      right: rowButton.visible ? rowButton.left : parent.right; rightMargin: 8
                      verticalCenter: parent.verticalCenter }
            spacing: 3
            Text { width: parent.width; text: cell.cell_name; textFormat: Text.PlainText; elide: Text.ElideRight
                   color: Theme.navy; font { pixelSize: 16; bold: true } }
            Text { width: parent.width; text: cell.cell_info; textFormat: Text.PlainText; elide: Text.ElideRight
                   color: Theme.secondaryText; font.pixelSize: Theme.smallFontSize }
            Text { width: parent.width; text: cell.cell_info2; textFormat: Text.PlainText; elide: Text.ElideRight
                   color: Theme.secondaryText; font.pixelSize: Theme.smallFontSize }
            StatusLabel {
                text: cell.cell_state
                visible: text !== ""
                backgroundColor: cell.cell_stateColor
            }
        }
        Button {
            id: rowButton
            objectName: "cellButton_down"
            anchors { right: parent.right; rightMargin: 10; verticalCenter: parent.verticalCenter }
            visible: cell.buttonTitle !== ""
            text: cell.buttonTitle
            // The car's plate and year name the row it belongs to.
            Accessible.name: cell.buttonTitle.trim() + " " + cell.cell_info
            font { pixelSize: Theme.smallFontSize; bold: true }
            contentItem: Text { textFormat: Text.PlainText; text: rowButton.text; font: rowButton.font; color: Theme.onAccent
                                horizontalAlignment: Text.AlignHCenter; verticalAlignment: Text.AlignVCenter }
            background: Rectangle { radius: 6; implicitHeight: 34
                                    color: rowButton.down ? Theme.orangePressed : Theme.orange }
            onClicked: cell.rowButtonPressed(cell.index)
        }
    }
}
