import QtQuick

// The footer under the app's car, auction and work-order tables; a table that a search
// has left empty says so in its place, right under the search field. Pages set it with
// `footer: Qt.createComponent("qrc:/tvs/ui/ListFooter.qml")`: Qt 6.4 refuses to create a
// header or footer declared inside a page with bound components (the pragma every page
// uses), so it never showed; a component of its own file is not bound to the page.
Text {
    readonly property ItemView view: ListView.view
    readonly property bool empty: view !== null && view.count === 0 && view.model !== null
                                  && view.model.filtering === true

    width: view ? view.width : implicitWidth
    height: empty ? 80 : 40
    text: empty ? "검색어와 맞는 차량이 없습니다" : "Tar Vesta"
    textFormat: Text.PlainText
    color: Theme.grey
    font.pixelSize: empty ? Theme.fontSize : 12
    horizontalAlignment: Text.AlignHCenter
    verticalAlignment: Text.AlignVCenter
}
