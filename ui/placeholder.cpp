// replaced by the form layer
namespace ui {}
