// The top-level windows of a test's X server as another client sees them come and go (the root
// window's substructure events), and destroyed as another client may destroy them.
#pragma once

#include <chrono>
#include <string>

struct _XDisplay;

namespace tovu::e2e {

enum TWindowEvent { weCreated, weMapped, weMovedOrResized };

class TRootWindowWatch {
 public:
  // Watches from now on; Connected() tells whether the display could be opened.
  explicit TRootWindowWatch(const std::string& display);
  ~TRootWindowWatch();
  TRootWindowWatch(const TRootWindowWatch&) = delete;
  TRootWindowWatch& operator=(const TRootWindowWatch&) = delete;

  bool Connected() const { return FDisplay != nullptr; }
  // The window of the next event of this kind, waiting at most `timeout`; 0 when none came.
  unsigned long NextWindow(TWindowEvent kind, std::chrono::milliseconds timeout);
  // Destroys a window of any client; true when the server did.
  bool Destroy(unsigned long window);

 private:
  _XDisplay* FDisplay = nullptr;
};

}  // namespace tovu::e2e
