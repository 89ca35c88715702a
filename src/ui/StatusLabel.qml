import QtQuick
import QtQuick.Controls.Basic

// A car status label: the text (with its blanks around the word) and the
// background colour come from the controller's status table.
Label {
    id: root
    property color backgroundColor: Theme.navy

    color: Theme.onAccent
    textFormat: Text.PlainText
    font.pixelSize: Theme.smallFontSize
    font.bold: true
    horizontalAlignment: Text.AlignHCenter
    verticalAlignment: Text.AlignVCenter
    topPadding: 3
    bottomPadding: 3
    Accessible.name: root.text.trim()
    background: Rectangle {
        radius: 3
        color: root.backgroundColor
    }
}
