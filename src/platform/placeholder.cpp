// Replaced by the adapters.
