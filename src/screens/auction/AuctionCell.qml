import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import "qrc:/tvs/ui"

// One auction of a board page: picture, model, plate and year, highest bid, state
// label, time left of a running auction and the row button, all from the row's
// model roles (auctionPage1Cell .. auctionPage4Cell differ only in what their
// button does, which the page decides).
ItemDelegate {
    id: cell
    required property int index
    required property string aucCell_btn
    required property string aucCell_price
    required property string aucCell_info
    required property string aucCell_name
    required property string aucCell_state
    required property color aucCell_stateColor
    required property string aucCell_img
    required property string aucCell_left
    required property int aucCell_tag
    signal rowButtonPressed(int tag)

    width: ListView.view ? ListView.view.width : implicitWidth
    height: Theme.carRowHeight
    padding: 0
    Accessible.name: (aucCell_name + " " + aucCell_info + " " + aucCell_price + " "
                      + aucCell_state + " " + aucCell_left).replace(/\s+/g, " ").trim()
    background: Rectangle {
        color: Theme.surface
        Rectangle {
            anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
            height: 1
            color: Theme.separator
        }
    }
    contentItem: RowLayout {
        spacing: 0
        Picture {
            Layout.leftMargin: 12
            Layout.preferredWidth: 108
            Layout.preferredHeight: 74
            address: cell.aucCell_img
        }
        Column {
            Layout.fillWidth: true
            Layout.leftMargin: 12
            Layout.rightMargin: 8
            spacing: 3
            Text { width: parent.width; text: cell.aucCell_name; textFormat: Text.PlainText; elide: Text.ElideRight
                   color: Theme.navy; font { pixelSize: 16; bold: true } }
            Text { width: parent.width; text: cell.aucCell_info; textFormat: Text.PlainText; elide: Text.ElideRight
                   color: Theme.secondaryText; font.pixelSize: Theme.smallFontSize }
            Text { width: parent.width; text: cell.aucCell_price; textFormat: Text.PlainText; elide: Text.ElideRight
                   color: Theme.orange; font { pixelSize: Theme.fontSize; bold: true } }
            Row {
                spacing: 6
                StatusLabel {
                    text: cell.aucCell_state
                    visible: text !== ""
                    backgroundColor: cell.aucCell_stateColor
                }
                Text {
                    anchors.verticalCenter: parent.verticalCenter
                    visible: text !== ""
                    text: cell.aucCell_left
                    textFormat: Text.PlainText
                    color: Theme.secondaryText
                    font.pixelSize: Theme.smallFontSize
                    Accessible.name: text
                }
            }
        }
        RowButton {
            Layout.rightMargin: 10
            visible: cell.aucCell_btn !== ""
            text: cell.aucCell_btn
            // The car's plate and year name the row it belongs to.
            Accessible.name: cell.aucCell_btn.trim() + " " + cell.aucCell_info
            onClicked: cell.rowButtonPressed(cell.aucCell_tag)
        }
    }
}
