import QtQuick
import QtQuick.Controls.Basic
import "qrc:/tvs/ui"

// One car of the dashboard's table: picture, name, plate and year, mileage and
// fuel, status label, on the row's tint. Everything shown comes from the model.
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

    Accessible.name: cell_name + " " + cell_info + " " + cell_state.trim()
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
        Image {
            id: cell_imgView
            objectName: "cell_img"
            anchors { left: parent.left; leftMargin: 12; verticalCenter: parent.verticalCenter }
            width: 112; height: 76
            fillMode: Image.PreserveAspectCrop
            asynchronous: true
            clip: true
            property bool failed: false
            onStatusChanged: if (status === Image.Error) failed = true
            source: cell.cell_img !== "" && !failed ? cell.cell_img : Theme.images + "empty_car.svg"
        }
        Column {
            anchors { left: cell_imgView.right; leftMargin: 12; right: parent.right; rightMargin: 12
                      verticalCenter: parent.verticalCenter }
            spacing: 4
            Text {
                width: parent.width
                text: cell.cell_name
                elide: Text.ElideRight
                color: Theme.navy
                font { pixelSize: 16; bold: true }
            }
            Text {
                width: parent.width
                text: cell.cell_info
                elide: Text.ElideRight
                color: Theme.secondaryText
                font.pixelSize: 13
            }
            Text {
                width: parent.width
                text: cell.cell_info2
                elide: Text.ElideRight
                color: Theme.secondaryText
                font.pixelSize: 13
            }
            StatusLabel {
                text: cell.cell_state
                visible: text !== ""
                backgroundColor: cell.cell_stateColor
            }
        }
    }
}
