#!/usr/bin/env bash
# Runs a test in user and mount namespaces of its own, where it may mount
# small file systems (a full disk, a read-only folder) without privileges;
# plainly where the system does not allow such namespaces (it then skips
# those cases).
if unshare -rm --propagation private true 2>/dev/null; then
  exec unshare -rm --propagation private "$@"
fi
exec "$@"
