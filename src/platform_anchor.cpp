// Keeps the platform and UI libraries non-empty while their folders fill up.
namespace brennmark_anchor {
int Anchor() { return 0; }
}  // namespace brennmark_anchor
