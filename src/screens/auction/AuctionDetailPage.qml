import QtQuick
import QtQuick.Controls.Basic
import "qrc:/tvs/ui"

// One car up for auction: photos, the amount a bid must beat and the time left,
// data, the seller's description, and the bid (amount, as typed and grouped, and
// button) kept at the bottom of the screen; past its end a line says so instead.
Item {
    id: page
    property var controller

    component Field: Row {
        id: field
        property string caption
        property string value
        width: parent.width
        Text { textFormat: Text.PlainText; width: 110; text: field.caption; color: Theme.mutedText; font.pixelSize: 14 }
        Text { width: field.width - 110; text: field.value; textFormat: Text.PlainText; color: Theme.navy
               font.pixelSize: 14; elide: Text.ElideRight }
    }

    NavigationBar {
        id: bar
        title: "경매 차량"
        onBackClicked: page.controller.dismiss()
    }

    Flickable {
        id: scroll
        anchors { left: parent.left; right: parent.right; top: bar.bottom; bottom: bidBar.top }
        contentHeight: content.height + 24
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
                x: Theme.margin
                width: parent.width - 2 * Theme.margin
                spacing: 6
                Text { width: parent.width; text: page.controller.auc_carName; textFormat: Text.PlainText
                       color: Theme.navy; wrapMode: Text.WordWrap; font { pixelSize: 20; bold: true } }
                Text { text: page.controller.auc_info; textFormat: Text.PlainText; color: Theme.secondaryText
                       font.pixelSize: 14 }
                Text { text: page.controller.auc_maxPriceTitle; textFormat: Text.PlainText; color: Theme.mutedText
                       font.pixelSize: Theme.smallFontSize }
                Row {
                    spacing: 10
                    Text { id: auc_maxPrice; text: page.controller.auc_maxPrice; textFormat: Text.PlainText
                           color: Theme.orange; font { pixelSize: 24; bold: true }
                           Accessible.name: page.controller.auc_maxPriceTitle + " " + text }
                    Text { text: page.controller.auc_timeLeft; textFormat: Text.PlainText; color: Theme.secondaryText
                           font.pixelSize: 14; anchors.baseline: auc_maxPrice.baseline
                           Accessible.name: text }
                }
            }

            Column {
                x: Theme.margin
                width: parent.width - 2 * Theme.margin
                spacing: 8
                Field { caption: "차량 가격 (원)"; value: page.controller.auc_carPrice }
                Field { caption: "차종"; value: page.controller.auc_carKind }
                Field { caption: "연식"; value: page.controller.auc_carYear }
                Field { caption: "차량번호"; value: page.controller.auc_carNum }
                Field { caption: "색상"; value: page.controller.auc_carColor }
                Field { caption: "배기량"; value: page.controller.auc_carCC }
                Field { caption: "주행거리"; value: page.controller.auc_carMile }
            }

            Text {
                x: Theme.margin
                width: parent.width - 2 * Theme.margin
                text: page.controller.auc_carContent
                textFormat: Text.PlainText
                wrapMode: Text.WordWrap
                color: Theme.secondaryText
                font.pixelSize: 14
            }
        }
    }

    Rectangle {
        id: bidBar
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
        height: 84
        color: Theme.surface
        Rectangle { width: parent.width; height: 1; color: Theme.separator }

        TextField {
            id: acu_money
            anchors { left: parent.left; leftMargin: Theme.margin; right: bidButton.left; rightMargin: 8
                      top: parent.top; topMargin: 10 }
            enabled: !page.controller.auctionEnded
            placeholderText: "입찰 금액 (원)"
            placeholderTextColor: Theme.placeholder
            inputMethodHints: Qt.ImhDigitsOnly
            maximumLength: 12
            validator: RegularExpressionValidator { regularExpression: /[0-9]*/ }
            font.pixelSize: Theme.fontSize
            text: page.controller.acu_money
            Accessible.name: "입찰 금액"
            onTextEdited: page.controller.acu_money = text
            onAccepted: page.controller.btnMoneyInsert()
        }
        Text {
            anchors { left: acu_money.left; leftMargin: 4; top: acu_money.bottom; topMargin: 4 }
            visible: !page.controller.auctionEnded
            text: page.controller.acu_moneyText
            textFormat: Text.PlainText
            color: Theme.navy
            font { pixelSize: Theme.smallFontSize; bold: true }
        }
        Text {
            anchors { left: acu_money.left; leftMargin: 4; top: acu_money.bottom; topMargin: 4 }
            visible: page.controller.auctionEnded
            text: "경매가 마감되어 입찰할 수 없습니다."
            Accessible.name: text
            color: Theme.destructive
            font { pixelSize: Theme.smallFontSize; bold: true }
        }
        CustomButton {
            id: bidButton
            anchors { right: parent.right; rightMargin: Theme.margin; verticalCenter: acu_money.verticalCenter }
            text: "입찰하기"
            cornerRadius: 6
            enabled: !page.controller.bidInFlight && !page.controller.auctionEnded
            onClicked: page.controller.btnMoneyInsert()
        }
    }
}
