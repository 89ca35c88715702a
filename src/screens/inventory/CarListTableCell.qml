import QtQuick
import QtQuick.Controls.Basic

// One car of the car list: picture, name, plate and year, mileage and fuel,
// status label on the row's tint, and in the two state-change modes the row
// button whose tag is the row index.
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
    readonly property string images: "qrc:/tvs/ui/images/"
    signal rowButtonPressed(int tag)

    Accessible.name: cell_name + " " + cell_info + " " + cell_state.trim()
    padding: 0
    background: Rectangle {
        color: cell.cell_background
        Rectangle {
            anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
            height: 1
            color: "#e3e5eb"
        }
    }
    contentItem: Item {
        Image {
            id: cellImg
            anchors { left: parent.left; leftMargin: 12; verticalCenter: parent.verticalCenter }
            width: 104; height: 72
            fillMode: Image.PreserveAspectCrop
            asynchronous: true
            clip: true
            property bool failed: false
            onStatusChanged: if (status === Image.Error) failed = true
            source: cell.cell_img !== "" && !failed ? cell.cell_img : cell.images + "empty_car.svg"
        }
        Column {
            anchors { left: cellImg.right; leftMargin: 12; right: cellButtonDown.visible ? cellButtonDown.left : parent.right
                      rightMargin: 8; verticalCenter: parent.verticalCenter }
            spacing: 3
            Text { width: parent.width; text: cell.cell_name; elide: Text.ElideRight; color: "#252d49"; font { pixelSize: 16; bold: true } }
            Text { width: parent.width; text: cell.cell_info; elide: Text.ElideRight; color: "#4a5068"; font.pixelSize: 13 }
            Text { width: parent.width; text: cell.cell_info2; elide: Text.ElideRight; color: "#4a5068"; font.pixelSize: 13 }
            Label {
                text: cell.cell_state
                visible: text !== ""
                color: "white"
                font { pixelSize: 12; bold: true }
                topPadding: 2; bottomPadding: 2
                background: Rectangle { radius: 4; color: cell.cell_stateColor }
            }
        }
        Button {
            id: cellButtonDown
            anchors { right: parent.right; rightMargin: 10; verticalCenter: parent.verticalCenter }
            visible: cell.buttonTitle !== ""
            text: cell.buttonTitle
            Accessible.name: cell.buttonTitle.trim()
            font { pixelSize: 13; bold: true }
            contentItem: Text { text: cellButtonDown.text; font: cellButtonDown.font; color: "white"
                                horizontalAlignment: Text.AlignHCenter; verticalAlignment: Text.AlignVCenter }
            background: Rectangle { radius: 6; color: cellButtonDown.down ? "#d96a02" : "#ff7d03"; implicitHeight: 34 }
            onClicked: cell.rowButtonPressed(cell.index)
        }
    }
}
