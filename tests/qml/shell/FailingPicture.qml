import QtQuick

// A picture that cannot be fetched (nothing listens on port 9 here).
Image {
    property var controller
    width: 100
    height: 100
    source: "http://127.0.0.1:9/image_product/none.jpg"
}
