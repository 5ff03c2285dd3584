// TODO(issue 6): the Qt binding of both windows.
