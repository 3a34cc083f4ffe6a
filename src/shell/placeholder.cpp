namespace velmar {}
