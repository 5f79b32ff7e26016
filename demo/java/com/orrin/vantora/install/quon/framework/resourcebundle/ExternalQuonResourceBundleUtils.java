package com.orrin.vantora.install.quon.framework.resourcebundle;

import java.util.ResourceBundle;

/**
 * Prints one uninstaller text in the user's language. The launcher runs this before the
 * uninstaller starts and shows whatever it prints, so it prints the text and nothing else.
 */
public final class ExternalQuonResourceBundleUtils {
  private static final String TEXTS =
      "com.orrin.vantora.install.quon.framework.resourcebundle.UninstallTexts";

  private ExternalQuonResourceBundleUtils() {}

  public static void main(String[] args) {
    if (args.length != 1) {
      System.err.println("usage: ExternalQuonResourceBundleUtils <key>");
      System.exit(2);
    }
    System.out.println(textFor(args[0], ResourceBundle.getBundle(TEXTS)));
  }

  static String textFor(String key, ResourceBundle texts) {
    if (texts.containsKey(key)) {
      return texts.getString(key);
    }
    // The launcher appends the megabytes straight to the key: "uninstall.insufficientSpace151".
    String baseKey = key.replaceFirst("\\d+$", "");
    if (!baseKey.equals(key) && texts.containsKey(baseKey)) {
      return texts.getString(baseKey).replace("{0}", key.substring(baseKey.length()));
    }
    // Shown in place of the text, the key itself tells a reader which text is missing.
    return key;
  }
}
