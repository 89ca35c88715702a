import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts

// One car of the dashboard's table and the car list: picture, name, plate and
// year, mileage and fuel, status label, on the row's tint; in the car list's
// two state-change modes, the row button whose tag is the row index. Everything
// shown comes from the row's model roles. cell_index is the car's row in the
// whole table, also when a search shows only some of its rows (the view's index
// is the row among those shown): the page hands it to the controller.
ItemDelegate {
    id: cell
    required property int cell_index
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
    Accessible.name: (cell_name + " " + cell_info + " " + cell_info2 + " " + cell_state).replace(/\s+/g, " ").trim()
    padding: 0
    background: Rectangle {
        color: cell.cell_background
        Rectangle {
            anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
            height: 1
            color: Theme.separator
        }
    }
    contentItem: RowLayout {
        spacing: 0
        Picture {
            objectName: "cell_img"
            Layout.leftMargin: 12
            Layout.preferredWidth: 108
            Layout.preferredHeight: 74
            address: cell.cell_img
        }
        Column {
            Layout.fillWidth: true
            Layout.leftMargin: 12
            Layout.rightMargin: 8
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
        RowButton {
            objectName: "cellButton_down"
            Layout.rightMargin: 10
            visible: cell.buttonTitle !== ""
            text: cell.buttonTitle
            // The car's plate and year name the row it belongs to.
            Accessible.name: cell.buttonTitle.trim() + " " + cell.cell_info
            onClicked: cell.rowButtonPressed(cell.cell_index)
        }
    }
}
