Class Open
  Public x
