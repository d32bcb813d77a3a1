#include "skin/archive/skin_messages.h"

#include <exception>

namespace skin {
namespace {
MessageSink& Sink() {
  static MessageSink sink;
  return sink;
}
}  // namespace

MessageSink SetMessageSink(MessageSink sink) {
  MessageSink old = std::move(Sink());
  Sink() = std::move(sink);
  return old;
}

void ShowMessage(std::string_view text) {
  if (!Sink()) return;
  try {
    Sink()(text);
  } catch (const std::exception&) {
    // A failing sink must not turn a refused skin into a crash.
  }
}

std::string DamagedSkinMessage(std::string_view reason) {
  return "This skin file is damaged (" + std::string(reason) + ")\rThe skin was not loaded.";
}

}  // namespace skin
