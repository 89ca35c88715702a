import QtQuick
import QtQuick.Controls.Basic

// The orange button at the right end of a table row (the car rows' state change, the
// auction rows' bid and contact); its accessible name is its title without blanks.
Button {
    id: button
    font { pixelSize: Theme.smallFontSize; bold: true }
    Accessible.name: text.trim()
    contentItem: Text { textFormat: Text.PlainText; text: button.text; font: button.font; color: Theme.onAccent
                        horizontalAlignment: Text.AlignHCenter; verticalAlignment: Text.AlignVCenter }
    background: Rectangle { radius: 6; implicitHeight: 34
                            color: button.down ? Theme.orangePressed : Theme.orange }
}
