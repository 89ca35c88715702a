pragma ComponentBehavior: Bound
import QtQuick

// The "데이터 처리중.." cover of a screen: one layer per pending show (count),
// each a translucent navy view with the check picture at the centre and the
// text 100 below it. It swallows touches to the page beneath.
Item {
    id: root
    property int count: 0

    visible: count > 0
    Accessible.role: Accessible.Animation
    Accessible.name: "데이터 처리중.."

    Repeater {
        model: root.count
        Rectangle {
            objectName: "loadingLayer"
            width: root.width
            height: root.height
            color: Theme.navyVeil

            MouseArea {
                anchors.fill: parent
                acceptedButtons: Qt.AllButtons
                hoverEnabled: true
                preventStealing: true
                onWheel: (wheel) => wheel.accepted = true
            }
            Image {
                objectName: "loadingImage"
                width: 100
                height: 100
                anchors.centerIn: parent
                source: Theme.images + "colorcheck.png"
                fillMode: Image.PreserveAspectFit
            }
            Text {
                objectName: "loadingText"
                width: 200
                height: 100
                anchors.horizontalCenter: parent.horizontalCenter
                anchors.verticalCenter: parent.verticalCenter
                anchors.verticalCenterOffset: 100
                text: "데이터 처리중.."
                color: Theme.onAccent
                font.pixelSize: 20
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
            }
        }
    }
}
