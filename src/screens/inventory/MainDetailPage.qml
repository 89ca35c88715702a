pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import "qrc:/tvs/ui"

// One car: photos, data, option icons, the web pages of the car and the
// folded option boxes.
Item {
    id: page
    property var controller
    readonly property var iconNames: ["내비게이션", "후방카메라", "선루프", "LED 헤드램프",
                                      "통풍시트", "차선이탈 경보", "열선시트", "스마트키"]

    component Field: Row {
        id: field
        property string caption
        property string value
        width: parent.width
        Text { textFormat: Text.PlainText; width: 110; text: field.caption; color: Theme.mutedText; font.pixelSize: 14 }
        Text { width: field.width - 110; text: field.value; textFormat: Text.PlainText; color: Theme.navy
               font.pixelSize: 14; elide: Text.ElideRight }
    }
    component ActionButton: Button {
        id: action
        property bool accent: false
        height: 44
        Accessible.name: text
        font { pixelSize: 14; bold: true }
        contentItem: Text { textFormat: Text.PlainText; text: action.text; font: action.font; color: action.accent ? Theme.onAccent : Theme.navy
                            horizontalAlignment: Text.AlignHCenter; verticalAlignment: Text.AlignVCenter }
        background: Rectangle { radius: 6; border.color: Theme.separator
                                color: action.accent ? (action.down ? Theme.orangePressed : Theme.orange)
                                                     : (action.down ? Theme.separator : Theme.background) }
    }

    NavigationBar {
        id: bar
        title: "차량 상세"
        onBackClicked: page.controller.dismiss()
    }

    Flickable {
        id: scroll
        objectName: "detailScroll"
        anchors { left: parent.left; right: parent.right; top: bar.bottom; bottom: parent.bottom }
        // The controller keeps the folded and unfolded heights; a long description
        // may need more, so the column is never cut off.
        contentHeight: Math.max(page.controller.const_ContentSizeH, content.height + 24)
        clip: true

        Column {
            id: content
            width: scroll.width
            spacing: 12

            PhotoPagerView {
                id: showView
                width: parent.width
                // A wide window keeps room for the car's data below the photos.
                maximumHeight: scroll.height * 0.6
                pager: page.controller.pager
            }

            Column {
                x: 16
                width: parent.width - 32
                spacing: 6
                Text { width: parent.width; text: page.controller.detail_Name; textFormat: Text.PlainText
                       color: Theme.navy; wrapMode: Text.WordWrap; font { pixelSize: 20; bold: true } }
                Text { text: page.controller.detail_info; textFormat: Text.PlainText; color: Theme.secondaryText
                       font.pixelSize: 14 }
                Row {
                    spacing: 6
                    Text { id: price; text: page.controller.detail_Price; textFormat: Text.PlainText; color: Theme.orange
                           font { pixelSize: 24; bold: true } }
                    Text { text: "원"; color: Theme.orange; font.pixelSize: 15; anchors.baseline: price.baseline }
                }
                Row {
                    spacing: 16
                    Text { text: "조회 " + page.controller.detail_readCount; textFormat: Text.PlainText
                           color: Theme.mutedText; font.pixelSize: 13 }
                    Text { text: "관심 " + page.controller.detail_favoirteCount; textFormat: Text.PlainText
                           color: Theme.mutedText; font.pixelSize: 13 }
                }
            }

            Column {
                x: 16
                width: parent.width - 32
                spacing: 8
                Field { caption: "차종"; value: page.controller.detail_Kind }
                Field { caption: "연식"; value: page.controller.detail_Year }
                Field { caption: "차량번호"; value: page.controller.datail_CarNumber }
                Field { caption: "색상"; value: page.controller.detail_Color }
                Field { caption: "배기량"; value: page.controller.detail_CC }
                Field { caption: "주행거리"; value: page.controller.detail_mileage }
            }

            Grid {
                x: 16
                columns: 4
                columnSpacing: (parent.width - 32 - 4 * 64) / 3
                rowSpacing: 10
                Repeater {
                    model: 8
                    Column {
                        id: icon
                        required property int index
                        readonly property string lit: page.controller.optionImages[index]
                        width: 64
                        spacing: 4
                        Image {
                            anchors.horizontalCenter: parent.horizontalCenter
                            width: 48; height: 48
                            sourceSize { width: 96; height: 96 }
                            source: "icons/" + (icon.lit !== "" ? icon.lit : "detail_icn_0" + (icon.index + 1) + "_off")
                                    + ".svg"
                            Accessible.name: page.iconNames[icon.index] + (icon.lit !== "" ? " 있음" : " 없음")
                        }
                        Text { textFormat: Text.PlainText; width: parent.width; text: page.iconNames[icon.index]; horizontalAlignment: Text.AlignHCenter
                               color: icon.lit !== "" ? Theme.navy : Theme.disabledText
                               font.pixelSize: 11 }
                    }
                }
            }

            Grid {
                x: 16
                width: parent.width - 32
                columns: 2
                spacing: 8
                ActionButton { width: (parent.width - 8) / 2; text: "정산내역"; onClicked: page.controller.openSettlement() }
                ActionButton { width: (parent.width - 8) / 2; text: "성능점검 기록부"; onClicked: page.controller.openInspectionRecord() }
                ActionButton { width: (parent.width - 8) / 2; text: "매입매출금액입력"; onClicked: page.controller.openPriceEntry() }
                ActionButton { width: (parent.width - 8) / 2; text: "계약서 사진"; onClicked: page.controller.gotoAction_ContractPic() }
            }
            ActionButton {
                x: 16
                width: parent.width - 32
                accent: true
                text: "차량 정보 수정"
                onClicked: page.controller.editCar()
            }

            Text {
                x: 16
                width: parent.width - 32
                text: page.controller.detail_Content
                textFormat: Text.PlainText
                wrapMode: Text.WordWrap
                color: Theme.secondaryText
                font.pixelSize: 14
            }

            ActionButton {
                id: btnOpMore
                x: 16
                width: parent.width - 32
                text: page.controller.optionMoreTitle
                onClicked: page.controller.btnOptionMore()
            }

            // The option boxes, folded to one point until the fold button opens them.
            Item {
                x: 16
                width: parent.width - 32
                height: page.controller.const_btnOpMoreBottom
                clip: true
                Column {
                    width: parent.width
                    spacing: 0
                    OptionBox { width: parent.width; model: page.controller.collection1; heading: page.controller.collection1.heading
                                boxHeight: page.controller.boxHeights[0] }
                    OptionBox { id: lbName2; width: parent.width; model: page.controller.collection2
                                heading: page.controller.collection2.heading; boxHeight: page.controller.boxHeights[1] }
                    OptionBox { id: lbName3; width: parent.width; model: page.controller.collection3
                                heading: page.controller.collection3.heading; boxHeight: page.controller.boxHeights[2] }
                    OptionBox { id: lbName4; width: parent.width; model: page.controller.collection4
                                heading: page.controller.collection4.heading; boxHeight: page.controller.boxHeights[3] }
                }
            }
        }
    }
}
